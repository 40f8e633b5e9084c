#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One value as the store holds it.
struct StoredValue {
  enum class Kind { Missing, Integer, Text, OtherType };
  Kind kind = Kind::Missing;
  long long integer = 0;  // for Integer
  std::string text;       // for Text
  // Where the store keeps types (the registry), what its text counts as when a number is read there:
  // Missing or OtherType. Text: the text is read as a number.
  Kind asNumber = Kind::Text;
};

// Where the settings live between runs, per user: an INI file in the XDG config folder on Linux, a
// registry key of the user's own elsewhere. The settings store reads and checks them. A name
// "Clock2/Size" is the value "Size" of the section (INI) or subkey (registry) "Clock2"; other names
// live in the main section or key.
class SettingsBackend {
public:
  virtual ~SettingsBackend() = default;
  // Whether the store exists at all; a missing store is the first start.
  virtual bool Exists() const = 0;
  // Opens the store for reading; false when it exists but cannot be read.
  virtual bool OpenForReading() = 0;
  virtual StoredValue Read(std::string_view name) const = 0;
  // Writes the values in this order and returns how many of them, from the first, are stored: all of
  // them, or fewer where the store refused one. A file lands whole or not at all (0); the registry
  // keeps the values before the refused one.
  virtual std::size_t Write(std::span<const std::pair<std::string_view, std::int32_t>> values) = 0;
  // Writes text values (UTF-8), all of them or none; false when the store refused.
  virtual bool WriteTexts(std::span<const std::pair<std::string_view, std::string_view>> values) = 0;
  // The sections beside the main one, as the last OpenForReading found them.
  virtual std::vector<std::string> Sections() const = 0;
  // Deletes a section with its values; true when it is gone (or never was).
  virtual bool RemoveSection(std::string_view section) = 0;
};
