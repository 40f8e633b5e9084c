#include "platform/win32/TickTimer.h"

#include <utility>

#include "platform/win32/WindowClass.h"

namespace {
constexpr char kClassName[] = "TickoraTicks";
constexpr UINT_PTR kTimer = 1;
constexpr UINT kRunLaterMessage = WM_APP + 1;

// The wall clock in milliseconds since 1970: its minutes turn with the local ones (zones differ by
// whole minutes), and reading it asks no time zone.
std::int64_t WallClockMs()
{
  FILETIME now = {};
  GetSystemTimeAsFileTime(&now);
  const std::int64_t ticks = static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) |
                                                       now.dwLowDateTime);
  constexpr std::int64_t kFrom1601To1970 = 116444736000000000;  // in 100 ns
  return (ticks - kFrom1601To1970) / 10000;
}

// Milliseconds since the start of Windows: never set back, whatever the wall clock does.
std::int64_t MonotonicMs()
{
  return static_cast<std::int64_t>(GetTickCount64());
}
}  // namespace

TickTimer::TickTimer() : schedule_([this](int delay) { Arm(delay); }, &MonotonicMs, &WallClockMs)
{
  RegisterWindowClass(kClassName, &TickTimer::WindowProc);
  window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window_)
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TickTimer::~TickTimer()
{
  if (!window_)
    return;
  KillTimer(window_, kTimer);
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void TickTimer::Arm(int delay)
{
  if (!window_)
    return;
  if (delay < 0)
    KillTimer(window_, kTimer);
  else
    SetTimer(window_, kTimer, static_cast<UINT>(delay), nullptr);
}

void TickTimer::Later(std::function<void()> task)
{
  later_.push_back(std::move(task));
  PostMessageA(window_, kRunLaterMessage, 0, 0);
}

LRESULT CALLBACK TickTimer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  auto* timer = reinterpret_cast<TickTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!timer)
    return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_TIMER && wParam == kTimer) {
    // Single shot: the schedule arms it again.
    KillTimer(window, kTimer);
    timer->schedule_.Fire();
    return 0;
  }
  if (message == kRunLaterMessage) {
    for (auto& task : std::exchange(timer->later_, {}))
      task();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
