#include <gtest/gtest.h>

#include <string>

#include "platform/win32/SingleInstance.h"

namespace {
std::string UniqueName()
{
  return "Local\\TickoraTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount64());
}
}  // namespace

TEST(SingleInstance, SecondCopyIsRefusedWhileTheFirstRunsAndStartsOnceItEnds)
{
  const std::string name = UniqueName();
  {
    SingleInstanceGuard first(name.c_str());
    EXPECT_FALSE(first.IsAlreadyRunning());
    SingleInstanceGuard second(name.c_str());
    EXPECT_TRUE(second.IsAlreadyRunning());
  }
  SingleInstanceGuard next(name.c_str());
  EXPECT_FALSE(next.IsAlreadyRunning());
}

TEST(SingleInstance, AKilledCopyDoesNotBlockTheNextStart)
{
  const std::string name = UniqueName();
  // A process that holds the name and is then killed: a suspended copy of this program, given the
  // only handle.
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string commandLine = std::string("\"") + path + "\" --gtest_list_tests";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                             &startup, &child));
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
  HANDLE held = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), mutex, child.hProcess, &held, 0, FALSE,
                              DUPLICATE_SAME_ACCESS | DUPLICATE_CLOSE_SOURCE));

  EXPECT_TRUE(SingleInstanceGuard(name.c_str()).IsAlreadyRunning());
  TerminateProcess(child.hProcess, 1);
  WaitForSingleObject(child.hProcess, 10000);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  EXPECT_FALSE(SingleInstanceGuard(name.c_str()).IsAlreadyRunning());
}
