#pragma once
#include <windows.h>

// One copy of the clock per logon session: a named mutex in the session's namespace. The system
// closes a dead process's handles, so a crash never blocks the next start.
class SingleInstanceGuard {
public:
  static constexpr char kDefaultName[] = "Local\\Tickora";

  explicit SingleInstanceGuard(const char* name = kDefaultName);
  ~SingleInstanceGuard();
  SingleInstanceGuard(const SingleInstanceGuard&) = delete;
  SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

  // True when another copy holds the name. Otherwise this process holds it until the guard is
  // destroyed; a mutex that cannot be made at all does not keep the clock from running.
  bool IsAlreadyRunning() const { return alreadyRunning_; }

private:
  HANDLE mutex_ = nullptr;
  bool alreadyRunning_ = false;
};
