#pragma once
#include <string>

#include <windows.h>

// The user's entry under the Run key, which Windows reads at login to start the clock.
class StartAtLoginEntry {
public:
  static constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr char kValueName[] = "Tickora";

  // `program` is the path the entry starts; the key lies under HKEY_CURRENT_USER.
  explicit StartAtLoginEntry(std::string program, std::string keyPath = kRunKey);
  // This program's own path.
  static std::string ThisProgram();

  bool IsEnabled() const;
  // Both throw TickoraError with the system's reason when the registry refuses.
  void Enable() const;
  void Disable() const;

  // What the entry holds: the path in quotes, as the Run key wants a path with blanks.
  std::string CommandLine() const { return "\"" + program_ + "\""; }

private:
  std::string program_;
  std::string keyPath_;
};
