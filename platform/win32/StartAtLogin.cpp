#include "platform/win32/StartAtLogin.h"

#include <utility>

#include "model/TickoraError.h"
#include "platform/win32/MessageBoxes.h"

StartAtLoginEntry::StartAtLoginEntry(std::string program, std::string keyPath)
    : program_(std::move(program)), keyPath_(std::move(keyPath))
{
}

std::string StartAtLoginEntry::ThisProgram()
{
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool StartAtLoginEntry::IsEnabled() const
{
  return RegGetValueA(HKEY_CURRENT_USER, keyPath_.c_str(), kValueName, RRF_RT_REG_SZ, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

void StartAtLoginEntry::Enable() const
{
  const std::string value = CommandLine();
  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                nullptr, &key, nullptr);
  if (result == ERROR_SUCCESS) {
    result = RegSetValueExA(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
  }
  if (result != ERROR_SUCCESS)
    throw TickoraError("Cannot write \"" + std::string(kValueName) + "\" under HKEY_CURRENT_USER\\" + keyPath_ +
                       " to start at login: " + SystemMessageText(static_cast<DWORD>(result)));
}

void StartAtLoginEntry::Disable() const
{
  const LONG result = RegDeleteKeyValueA(HKEY_CURRENT_USER, keyPath_.c_str(), kValueName);
  // An entry already gone is what was asked for.
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
    throw TickoraError("Cannot remove \"" + std::string(kValueName) + "\" under HKEY_CURRENT_USER\\" + keyPath_ +
                       " to stop starting at login: " + SystemMessageText(static_cast<DWORD>(result)));
}
