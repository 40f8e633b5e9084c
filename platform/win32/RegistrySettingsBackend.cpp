#include "platform/win32/RegistrySettingsBackend.h"

#include <cstring>

namespace {

// Closes the key on every way out.
class OpenKey {
public:
  OpenKey() = default;
  ~OpenKey()
  {
    if (key_)
      RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  // Only the access each operation needs: a key the user may read but not write still reads.
  LONG OpenToRead(HKEY root, const std::string& path)
  {
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key_);
  }
  bool CreateToWrite(HKEY root, const std::string& path)
  {
    return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key_,
                           nullptr) == ERROR_SUCCESS;
  }
  HKEY get() const { return key_; }

private:
  HKEY key_ = nullptr;
};

}  // namespace

RegistrySettingsBackend::RegistrySettingsBackend(std::string keyPath, HKEY root)
    : keyPath_(std::move(keyPath)), root_(root)
{
}

bool RegistrySettingsBackend::Exists() const
{
  // A key the user may not read is there all the same: an error to report, not a first start.
  OpenKey key;
  const LONG result = key.OpenToRead(root_, keyPath_);
  return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

bool RegistrySettingsBackend::OpenForReading()
{
  // Each read opens the key afresh; this only says whether reading can begin.
  OpenKey key;
  return key.OpenToRead(root_, keyPath_) == ERROR_SUCCESS;
}

StoredValue RegistrySettingsBackend::Read(std::string_view name) const
{
  StoredValue stored;
  OpenKey key;
  if (key.OpenToRead(root_, keyPath_) != ERROR_SUCCESS)
    return stored;
  const std::string valueName(name);
  DWORD type = 0;
  BYTE data[sizeof(std::int32_t)] = {};
  DWORD size = sizeof data;
  // Data longer than the buffer (ERROR_MORE_DATA) cannot be a value of ours: it reads as missing.
  if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, data, &size) != ERROR_SUCCESS)
    return stored;
  // A REG_DWORD shorter than four bytes is malformed: no number can be taken from it.
  if (type != REG_DWORD || size != sizeof data) {
    stored.kind = StoredValue::Kind::OtherType;
    return stored;
  }
  std::int32_t number = 0;
  std::memcpy(&number, data, sizeof number);
  stored.kind = StoredValue::Kind::Integer;
  stored.integer = number;
  return stored;
}

std::size_t RegistrySettingsBackend::Write(std::span<const std::pair<std::string_view, std::int32_t>> values)
{
  OpenKey key;
  if (!key.CreateToWrite(root_, keyPath_))
    return 0;
  // Value by value: a refused one ends the write, those before it stay stored.
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::string valueName(values[i].first);
    const DWORD data = static_cast<DWORD>(values[i].second);
    if (RegSetValueExA(key.get(), valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                       sizeof data) != ERROR_SUCCESS)
      return i;
  }
  return values.size();
}

std::unique_ptr<SettingsBackend> RegistrySettings()
{
  return std::make_unique<RegistrySettingsBackend>();
}
