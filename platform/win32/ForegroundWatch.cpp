#include "platform/win32/ForegroundWatch.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/Screens.h"

namespace {
// One set of hooks for every clock of the thread: out-of-context events arrive on the thread that
// hooked them, and a hook's callback is given no context, so it posts to every watch started there.
struct Hooks {
  std::vector<ForegroundWatch*> watches;
  HWINEVENTHOOK foreground = nullptr;
  HWINEVENTHOOK location = nullptr;
  HWND followed = nullptr;  // the window whose thread `location` watches
};
thread_local Hooks hooks;
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
  std::erase(hooks.watches, this);
  if (!hooks.watches.empty())
    return;
  if (hooks.foreground)
    UnhookWinEvent(std::exchange(hooks.foreground, nullptr));
  Follow(nullptr);
}

void ForegroundWatch::Start(HWND clock, UINT message)
{
  clock_ = clock;
  message_ = message;
  if (std::find(hooks.watches.begin(), hooks.watches.end(), this) == hooks.watches.end())
    hooks.watches.push_back(this);
  if (!hooks.foreground) {
    hooks.foreground = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnEvent, 0, 0,
                                       WINEVENT_OUTOFCONTEXT);
  }
  Follow(GetForegroundWindow());
}

void ForegroundWatch::Follow(HWND window)
{
  if (window == hooks.followed)
    return;
  hooks.followed = window;
  if (hooks.location)
    UnhookWinEvent(std::exchange(hooks.location, nullptr));
  DWORD process = 0;
  const DWORD thread = window ? GetWindowThreadProcessId(window, &process) : 0;
  // The clocks' own windows are never full screen; any other thread's moves, and the pointer's, are
  // none of the clocks' business.
  if (!hooks.watches.empty() && thread != 0 && process != GetCurrentProcessId()) {
    hooks.location = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr, &OnEvent,
                                     process, thread, WINEVENT_OUTOFCONTEXT);
  }
}

void CALLBACK ForegroundWatch::OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                       DWORD)
{
  // Not one queued before its hook went; for moves, the window itself, not its caret or scroll bars.
  if (!hook || (hook != hooks.foreground && hook != hooks.location))
    return;
  if (event == EVENT_OBJECT_LOCATIONCHANGE &&
      (window != hooks.followed || object != OBJID_WINDOW || child != CHILDID_SELF))
    return;
  for (ForegroundWatch* watch : hooks.watches) {
    if (!std::exchange(watch->posted_, true))
      PostMessageA(watch->clock_, watch->message_, 0, 0);
  }
}

std::optional<PixelRect> ForegroundWatch::Look()
{
  posted_ = false;
  const HWND window = GetForegroundWindow();
  // A watch not started follows nothing: the hooks are the started ones'.
  if (clock_)
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
