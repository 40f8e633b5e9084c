#include "platform/win32/RegistrySettingsBackend.h"

#include <cstring>
#include <optional>

#include "platform/win32/Utf16.h"

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
  LONG OpenToRead(HKEY root, const std::string& path, REGSAM access = KEY_QUERY_VALUE)
  {
    return RegOpenKeyExA(root, path.c_str(), 0, access, &key_);
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

// A section is one subkey right under the store's key: nothing that could name another.
bool IsSectionName(std::string_view section)
{
  return !section.empty() && section.find('\\') == std::string_view::npos && section.find('/') == std::string_view::npos;
}

// The key and value a name stands for: "Clock2/Size" is "Size" in the subkey "Clock2". None for a
// name whose section could reach elsewhere.
struct Place {
  std::string keyPath;
  std::string value;
};
std::optional<Place> PlaceOf(const std::string& keyPath, std::string_view name)
{
  const std::size_t slash = name.find('/');
  if (slash == std::string_view::npos)
    return Place{keyPath, std::string(name)};
  const std::string_view section = name.substr(0, slash);
  if (!IsSectionName(section))
    return std::nullopt;
  return Place{keyPath + '\\' + std::string(section), std::string(name.substr(slash + 1))};
}

// The whole of a REG_SZ, without its terminator.
std::optional<std::string> ReadText(HKEY key, const std::string& name)
{
  const std::wstring wideName = Utf16(name);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
    return std::nullopt;
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return std::nullopt;
  text.resize(size / sizeof(wchar_t));
  if (const std::size_t end = text.find(L'\0'); end != std::wstring::npos)
    text.resize(end);
  return Utf8(text);
}

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
  // Each read opens the key afresh; this says whether reading can begin, and finds the sections.
  sections_.clear();
  OpenKey key;
  if (key.OpenToRead(root_, keyPath_) != ERROR_SUCCESS)
    return false;
  OpenKey list;
  if (list.OpenToRead(root_, keyPath_, KEY_ENUMERATE_SUB_KEYS) != ERROR_SUCCESS)
    return true;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(std::size(name));
    const LONG result = RegEnumKeyExW(list.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA)
      continue;  // longer than any section of ours
    if (result != ERROR_SUCCESS)
      break;
    sections_.push_back(Utf8({name, length}));
  }
  return true;
}

StoredValue RegistrySettingsBackend::Read(std::string_view name) const
{
  StoredValue stored;
  const std::optional<Place> place = PlaceOf(keyPath_, name);
  OpenKey key;
  if (!place || key.OpenToRead(root_, place->keyPath) != ERROR_SUCCESS)
    return stored;
  DWORD type = 0;
  BYTE data[sizeof(std::int32_t)] = {};
  DWORD size = sizeof data;
  // Data longer than the buffer (ERROR_MORE_DATA) cannot be a number of ours: it reads as missing.
  const LONG result = RegQueryValueExA(key.get(), place->value.c_str(), nullptr, &type, data, &size);
  if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
    return stored;
  if (type == REG_SZ) {
    if (std::optional<std::string> text = ReadText(key.get(), place->value)) {
      stored.kind = StoredValue::Kind::Text;
      stored.text = std::move(*text);
      stored.asNumber = result == ERROR_MORE_DATA ? StoredValue::Kind::Missing : StoredValue::Kind::OtherType;
    }
    return stored;
  }
  if (result == ERROR_MORE_DATA)
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
  // Value by value: a refused one ends the write, those before it stay stored.
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::optional<Place> place = PlaceOf(keyPath_, values[i].first);
    OpenKey key;
    if (!place || !key.CreateToWrite(root_, place->keyPath))
      return i;
    const DWORD data = static_cast<DWORD>(values[i].second);
    if (RegSetValueExA(key.get(), place->value.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                       sizeof data) != ERROR_SUCCESS)
      return i;
  }
  return values.size();
}

bool RegistrySettingsBackend::WriteTexts(std::span<const std::pair<std::string_view, std::string_view>> values)
{
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::optional<Place> place = PlaceOf(keyPath_, values[i].first);
    OpenKey key;
    const std::wstring text = Utf16(values[i].second);
    const bool written =
        place && key.CreateToWrite(root_, place->keyPath) &&
        RegSetValueExW(key.get(), Utf16(place->value).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    if (written)
      continue;
    // All or none: the ones already written go again.
    for (std::size_t j = 0; j < i; ++j) {
      const std::optional<Place> done = PlaceOf(keyPath_, values[j].first);
      RegDeleteKeyValueA(root_, done->keyPath.c_str(), done->value.c_str());
    }
    return false;
  }
  return true;
}

bool RegistrySettingsBackend::RemoveSection(std::string_view section)
{
  if (!IsSectionName(section))
    return false;
  const std::wstring path = Utf16(keyPath_ + '\\' + std::string(section));
  // The subkey goes with everything under it.
  const LONG result = RegDeleteTreeW(root_, path.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

std::unique_ptr<SettingsBackend> RegistrySettings()
{
  return std::make_unique<RegistrySettingsBackend>();
}
