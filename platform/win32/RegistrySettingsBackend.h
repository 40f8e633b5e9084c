#pragma once
#include <memory>
#include <string>

#include <windows.h>

#include "model/SettingsBackend.h"

// The store as a registry key of the current user's: nine REG_DWORD values. Every operation opens the
// key with the access it needs and closes it again; only a key that is not there counts as missing.
class RegistrySettingsBackend : public SettingsBackend {
public:
  static constexpr char kDefaultKey[] = "Software\\Tickora";

  explicit RegistrySettingsBackend(std::string keyPath = kDefaultKey, HKEY root = HKEY_CURRENT_USER);

  bool Exists() const override;
  bool OpenForReading() override;
  // A value that is missing or longer than four bytes is Missing; one of another type is OtherType.
  StoredValue Read(std::string_view name) const override;
  // Writes the values in order, stopping at the first the registry refuses; the ones before it stay.
  std::size_t Write(std::span<const std::pair<std::string_view, std::int32_t>> values) override;

private:
  std::string keyPath_;
  HKEY root_;
};

// The backend on HKEY_CURRENT_USER\Software\Tickora.
std::unique_ptr<SettingsBackend> RegistrySettings();
