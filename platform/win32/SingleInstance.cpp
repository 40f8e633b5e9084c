#include "platform/win32/SingleInstance.h"

SingleInstanceGuard::SingleInstanceGuard(const char* name)
{
  mutex_ = CreateMutexA(nullptr, FALSE, name);
  // Read at once: the next call may change it.
  const DWORD error = GetLastError();
  if (mutex_ && error == ERROR_ALREADY_EXISTS) {
    alreadyRunning_ = true;
    CloseHandle(mutex_);
    mutex_ = nullptr;
  } else if (!mutex_ && error == ERROR_ACCESS_DENIED) {
    // The name is held by a copy running with other rights.
    alreadyRunning_ = true;
  }
}

SingleInstanceGuard::~SingleInstanceGuard()
{
  if (mutex_)
    CloseHandle(mutex_);
}
