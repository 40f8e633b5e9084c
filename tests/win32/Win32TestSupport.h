#pragma once
#include <chrono>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include <windows.h>
#include <sddl.h>
#include <shellapi.h>

// A registry key of its own under HKEY_CURRENT_USER for one test, deleted with everything under it
// afterwards: tests never touch the user's own settings.
class ScratchKey {
public:
  static constexpr char kParent[] = "Software\\TickoraTest";

  ScratchKey()
  {
    std::random_device random;
    path_ = std::string(kParent) + "\\" + std::to_string(random()) + std::to_string(GetCurrentProcessId());
  }
  ~ScratchKey()
  {
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kParent);  // only once no other test's key is left in it
  }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  const std::string& path() const { return path_; }

  // Stores a value of any type and bytes, as another program or a hand edit might leave it.
  void Set(const char* name, DWORD type, const void* data, DWORD size) const
  {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  void SetDword(const char* name, std::int32_t value) const { Set(name, REG_DWORD, &value, sizeof value); }

  // Replaces the key's access list with one in SDDL ("D:P(A;;KR;;;WD)": everyone may read, nothing else).
  void SetAccess(const char* sddl) const
  {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    HKEY key = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr) &&
        RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
      RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
      RegCloseKey(key);
    }
    LocalFree(descriptor);
  }

  bool Exists() const
  {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    RegCloseKey(key);
    return true;
  }

  // The value's type and its bytes read as a signed 32-bit number (0 when shorter).
  struct Value {
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::int32_t number = 0;
  };
  Value Get(const char* name) const
  {
    Value value;
    BYTE data[64] = {};
    value.size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, path_.c_str(), name, RRF_RT_ANY, &value.type, data, &value.size) !=
        ERROR_SUCCESS)
      return {};
    if (value.size >= sizeof value.number)
      std::memcpy(&value.number, data, sizeof value.number);
    return value;
  }

private:
  std::string path_;
};

// Handles what has arrived for this thread's windows, for about `milliseconds`.
inline void PumpMessages(int milliseconds = 0)
{
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (milliseconds > 0)
      Sleep(10);
  } while (std::chrono::steady_clock::now() < until);
}

// Windows need a desktop; Wine has none without an X display (run the tests under xvfb-run).
inline bool HaveDesktop()
{
  static const bool have = [] {
    HWND keeper = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!keeper)
      return false;
    // Where no tray host runs, Wine shows its own tray window and hides it again when its last icon
    // goes, which takes it seconds without a window manager; an icon of the tests' own keeps it up.
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = keeper;
    icon.uID = 99;
    Shell_NotifyIconA(NIM_ADD, &icon);
    return true;
  }();
  return have;
}

#define SKIP_WITHOUT_DESKTOP()                                                      \
  if (!HaveDesktop())                                                               \
  GTEST_SKIP() << "no desktop to create windows on (no X display for Wine)"
