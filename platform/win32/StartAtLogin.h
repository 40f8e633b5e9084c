#pragma once
#include <string>

#include <windows.h>

// The user's entry under the Run key, which Windows reads at login to start the clock, and the state
// Task Manager's Startup tab (and Settings' Startup apps) keeps for it under StartupApproved.
class StartAtLoginEntry {
public:
  static constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr char kApprovedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
  static constexpr char kValueName[] = "Tickora";

  // `program` is the path the entry starts; both keys lie under HKEY_CURRENT_USER.
  explicit StartAtLoginEntry(std::wstring program, std::string runKey = kRunKey,
                             std::string approvedKey = kApprovedKey);
  // This program's own path, whatever letters it holds.
  static std::wstring ThisProgram();

  // Whether Windows starts the clock at login: the Run value is there and the user has not switched it
  // off in Task Manager.
  bool IsEnabled() const;
  // Writes the Run value, and switches an entry the user switched off back on. Both throw TickoraError
  // with the system's reason when the registry refuses.
  void Enable() const;
  // Removes the Run value and its state.
  void Disable() const;

  // What the entry holds: the path in quotes, as the Run key wants a path with blanks.
  std::wstring CommandLine() const { return L"\"" + program_ + L"\""; }

private:
  bool SwitchedOff() const;

  std::wstring program_;
  std::string runKey_;
  std::string approvedKey_;
};
