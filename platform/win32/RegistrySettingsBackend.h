#pragma once
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "model/SettingsBackend.h"

// The store as a registry key of the current user's: REG_DWORD numbers and REG_SZ texts, each clock
// beyond the first in a subkey of its own ("Clock2"). Every operation opens the key with the access it
// needs and closes it again; only a key that is not there counts as missing.
class RegistrySettingsBackend : public SettingsBackend {
public:
  static constexpr char kDefaultKey[] = "Software\\Tickora";

  explicit RegistrySettingsBackend(std::string keyPath = kDefaultKey, HKEY root = HKEY_CURRENT_USER);

  bool Exists() const override;
  bool OpenForReading() override;
  // A number is read into four bytes: a value that is missing or longer is Missing, one of another
  // type OtherType. A REG_SZ is Text, and counts as one of those two where a number is read.
  StoredValue Read(std::string_view name) const override;
  // Writes the values in order, stopping at the first the registry refuses; the ones before it stay.
  std::size_t Write(std::span<const std::pair<std::string_view, std::int32_t>> values) override;
  // The registry has no transaction here: a refused text deletes the ones written before it.
  bool WriteTexts(std::span<const std::pair<std::string_view, std::string_view>> values) override;
  std::vector<std::string> Sections() const override { return sections_; }
  bool RemoveSection(std::string_view section) override;

private:
  std::string keyPath_;
  HKEY root_;
  std::vector<std::string> sections_;
};

// The backend on HKEY_CURRENT_USER\Software\Tickora.
std::unique_ptr<SettingsBackend> RegistrySettings();
