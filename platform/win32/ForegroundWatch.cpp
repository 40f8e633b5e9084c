#include "platform/win32/ForegroundWatch.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/Screens.h"

namespace {
// A hook's callback is given no context: it finds its watch by the hook's handle. Out-of-context events
// arrive on the thread that hooked them, so each thread keeps its own.
thread_local std::vector<ForegroundWatch*> watches;
}  // namespace

bool ForegroundWatch::SystemReportsExclusive()
{
  QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
  return SUCCEEDED(SHQueryUserNotificationState(&state)) &&
         (state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE);
}

ForegroundWatch::ForegroundWatch(AskExclusive ask) : ask_(std::move(ask)) {}

ForegroundWatch::~ForegroundWatch()
{
  if (foregroundHook_)
    UnhookWinEvent(foregroundHook_);
  if (locationHook_)
    UnhookWinEvent(locationHook_);
  std::erase(watches, this);
}

void ForegroundWatch::Start(HWND clock, UINT message)
{
  clock_ = clock;
  message_ = message;
  if (std::find(watches.begin(), watches.end(), this) == watches.end())
    watches.push_back(this);
  if (!foregroundHook_) {
    foregroundHook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnEvent, 0, 0,
                                      WINEVENT_OUTOFCONTEXT);
  }
  Follow(GetForegroundWindow());
}

void ForegroundWatch::Follow(HWND window)
{
  followed_ = window;
  if (locationHook_)
    UnhookWinEvent(std::exchange(locationHook_, nullptr));
  DWORD process = 0;
  const DWORD thread = window ? GetWindowThreadProcessId(window, &process) : 0;
  // The clock's own windows are never full screen; any other thread's moves, and the pointer's, are
  // none of the clock's business.
  if (clock_ && thread != 0 && process != GetCurrentProcessId()) {
    locationHook_ = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr, &OnEvent,
                                    process, thread, WINEVENT_OUTOFCONTEXT);
  }
}

void CALLBACK ForegroundWatch::OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                       DWORD)
{
  for (ForegroundWatch* watch : watches) {
    if (hook != watch->foregroundHook_ && hook != watch->locationHook_)
      continue;
    // The window itself, not its caret or scroll bars.
    if (event == EVENT_OBJECT_LOCATIONCHANGE &&
        (window != watch->followed_ || object != OBJID_WINDOW || child != CHILDID_SELF))
      return;
    if (!std::exchange(watch->posted_, true))
      PostMessageA(watch->clock_, watch->message_, 0, 0);
    return;
  }
}

std::optional<PixelRect> ForegroundWatch::Look()
{
  posted_ = false;
  const HWND window = GetForegroundWindow();
  if (window != followed_)
    Follow(window);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  const HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTONULL) : nullptr;
  if (!monitor || !GetMonitorInfoA(monitor, &info))
    return std::nullopt;
  ForegroundWindow foreground;
  foreground.handle = window;
  foreground.rect = WindowRect(window);
  foreground.monitor = {static_cast<int>(info.rcMonitor.left), static_cast<int>(info.rcMonitor.top),
                        static_cast<int>(info.rcMonitor.right - info.rcMonitor.left),
                        static_cast<int>(info.rcMonitor.bottom - info.rcMonitor.top)};
  foreground.style = GetWindowLongPtrA(window, GWL_STYLE);
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  foreground.className = className;
  foreground.exempt = window == clock_ || window == GetDesktopWindow() || window == GetShellWindow();
  return Judge(foreground);
}

std::optional<PixelRect> ForegroundWatch::Judge(const ForegroundWindow& window)
{
  // The desktop and the taskbar cover their monitor too.
  if (!window.handle || window.exempt)
    return std::nullopt;
  for (const char* shell : {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd"}) {
    if (window.className == shell)
      return std::nullopt;
  }
  if (window.monitor.isEmpty() || window.rect.intersected(window.monitor) != window.monitor)
    return std::nullopt;
  if ((window.style & WS_CAPTION) != WS_CAPTION)
    return window.monitor;
  // A game's exclusive full screen or a presentation may keep its caption. That state is the system's,
  // not the window's: it counts only for a window that covers its monitor. It is asked again only when
  // the window, its place or its style changed: the call is slow under Wine, and a tick that waits on
  // it keeps the clock from following a drag.
  if (const Asked now{window.handle, window.rect, window.style}; asked_ != now) {
    asked_ = now;
    exclusive_ = ask_ && ask_();
  }
  if (exclusive_)
    return window.monitor;
  return std::nullopt;
}
