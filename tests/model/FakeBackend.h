#pragma once
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/SettingsBackend.h"

// A store of the kinds a backend can hold, whatever holds them (a file, a registry key), in memory.
class FakeBackend : public SettingsBackend {
public:
  std::map<std::string, StoredValue, std::less<>> values;
  bool exists = true;
  bool readable = true;
  std::size_t refuseAt = SIZE_MAX;  // in each write, the first value the store refuses
  std::vector<std::string> written;   // what it stored

  bool Exists() const override { return exists; }
  bool OpenForReading() override { return readable; }
  StoredValue Read(std::string_view name) const override
  {
    const auto found = values.find(name);
    return found == values.end() ? StoredValue{} : found->second;
  }
  std::size_t Write(std::span<const std::pair<std::string_view, std::int32_t>> pairs) override
  {
    const std::size_t stored = std::min(refuseAt, pairs.size());
    for (std::size_t i = 0; i < stored; ++i) {
      written.push_back(std::string(pairs[i].first) + "=" + std::to_string(pairs[i].second));
      values[std::string(pairs[i].first)] = {StoredValue::Kind::Integer, pairs[i].second, {}};
      exists = true;
    }
    return stored;
  }
  bool WriteTexts(std::span<const std::pair<std::string_view, std::string_view>> pairs) override
  {
    if (refuseAt == 0)
      return false;
    for (const auto& [name, text] : pairs) {
      written.push_back(std::string(name) + "=" + std::string(text));
      values[std::string(name)] = {StoredValue::Kind::Text, 0, std::string(text)};
    }
    exists = true;
    return true;
  }
  std::vector<std::string> Sections() const override
  {
    std::vector<std::string> sections;
    for (const auto& [name, value] : values) {
      const std::size_t slash = name.find('/');
      if (slash != std::string::npos && std::find(sections.begin(), sections.end(), name.substr(0, slash)) == sections.end())
        sections.push_back(name.substr(0, slash));
    }
    return sections;
  }
  bool RemoveSection(std::string_view section) override
  {
    if (refuseAt == 0)
      return false;
    std::erase_if(values, [&](const auto& entry) { return entry.first.starts_with(std::string(section) + "/"); });
    return true;
  }
};
