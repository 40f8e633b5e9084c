#include "platform/win32/StartAtLogin.h"

#include <array>
#include <utility>

#include "model/TickoraError.h"
#include "platform/win32/MessageBoxes.h"
#include "platform/win32/Utf16.h"

namespace {
const std::wstring kValue = Utf16(StartAtLoginEntry::kValueName);
// Task Manager's state: a REG_BINARY whose first byte is even while the entry is on (02, with the rest
// zero) and odd once the user has switched it off (03, then the time it was).
constexpr std::array<BYTE, 12> kSwitchedOn = {2};

[[noreturn]] void Refused(const char* doing, const std::string& key, const char* purpose, LONG result)
{
  throw TickoraError(std::string("Cannot ") + doing + " \"" + StartAtLoginEntry::kValueName +
                     "\" under HKEY_CURRENT_USER\\" + key + " to " + purpose + ": " +
                     SystemMessageText(static_cast<DWORD>(result)));
}

LONG WriteValue(const std::string& keyPath, DWORD type, const void* data, DWORD size)
{
  HKEY key = nullptr;
  LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, Utf16(keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_SET_VALUE, nullptr, &key, nullptr);
  if (result == ERROR_SUCCESS) {
    result = RegSetValueExW(key, kValue.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  return result;
}

// A value already gone is what was asked for.
void DeleteValue(const std::string& keyPath)
{
  const LONG result = RegDeleteKeyValueW(HKEY_CURRENT_USER, Utf16(keyPath).c_str(), kValue.c_str());
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
    Refused("remove", keyPath, "stop starting at login", result);
}
}  // namespace

StartAtLoginEntry::StartAtLoginEntry(std::wstring program, std::string runKey, std::string approvedKey)
    : program_(std::move(program)), runKey_(std::move(runKey)), approvedKey_(std::move(approvedKey))
{
}

std::wstring StartAtLoginEntry::ThisProgram()
{
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool StartAtLoginEntry::SwitchedOff() const
{
  // Room for more than Task Manager writes: only the first byte tells.
  BYTE state[64] = {};
  DWORD size = sizeof state;
  return RegGetValueW(HKEY_CURRENT_USER, Utf16(approvedKey_).c_str(), kValue.c_str(), RRF_RT_REG_BINARY, nullptr, state,
                      &size) == ERROR_SUCCESS &&
         size > 0 && (state[0] & 1) != 0;
}

bool StartAtLoginEntry::IsEnabled() const
{
  // A value another tool wrote as REG_EXPAND_SZ starts the clock too.
  const DWORD text = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  return RegGetValueW(HKEY_CURRENT_USER, Utf16(runKey_).c_str(), kValue.c_str(), text, nullptr, nullptr, nullptr) ==
             ERROR_SUCCESS &&
         !SwitchedOff();
}

void StartAtLoginEntry::Enable() const
{
  const std::wstring value = CommandLine();
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  if (const LONG result = WriteValue(runKey_, REG_SZ, value.c_str(), bytes); result != ERROR_SUCCESS)
    Refused("write", runKey_, "start at login", result);
  if (SwitchedOff()) {
    if (const LONG result = WriteValue(approvedKey_, REG_BINARY, kSwitchedOn.data(), kSwitchedOn.size());
        result != ERROR_SUCCESS)
      Refused("write", approvedKey_, "start at login", result);
  }
}

void StartAtLoginEntry::Disable() const
{
  DeleteValue(runKey_);
  DeleteValue(approvedKey_);
}
