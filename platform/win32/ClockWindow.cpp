#include "platform/win32/ClockWindow.h"

#include <utility>

#include <windowsx.h>

#include "model/ClockGeometry.h"
#include "platform/win32/MessageBoxes.h"
#include "platform/win32/Screens.h"
#include "platform/win32/WindowClass.h"

namespace {
constexpr char kWindowText[] = "Tickora";
#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;
#endif

// While the clock follows the pointer itself: how often it looks where the pointer is.
constexpr UINT_PTR kDragTimer = 2;
constexpr UINT kDragInterval = 15;  // ms
// While a full-screen window is in front: how often the clock looks whether it is still there.
constexpr UINT_PTR kLookTimer = 3;
constexpr UINT kLookInterval = 1000;  // ms
constexpr UINT kRunLaterMessage = WM_APP + 1;
constexpr UINT kForegroundMessage = WM_APP + 2;  // ForegroundWatch: the foreground window changed
constexpr char kSecondStartMessage[] = "Tickora.SecondStart";
constexpr DWORD kFindRetryMs = 100;

// How deep the thread is in clock windows' handlers (one runs a box's loop, another's message comes),
// and what waits for the last of them to return.
thread_local int handling = 0;
thread_local std::vector<std::function<void()>> afterHandlers;
}  // namespace

void ClockWindow::AfterHandlers(std::function<void()> task)
{
  if (handling == 0)
    task();
  else
    afterHandlers.push_back(std::move(task));
}

std::function<void(std::function<void()>)> ClockSetLater(TickTimer& ticks)
{
  return [&ticks](std::function<void()> task) {
    ticks.Later([task = std::move(task)]() mutable { ClockWindow::AfterHandlers(std::move(task)); });
  };
}

bool AskRunningCopy(DWORD waitMs)
{
  const UINT message = RegisterWindowMessageA(kSecondStartMessage);
  // The running copy takes its one-copy name before it makes its window.
  for (DWORD waited = 0;; waited += kFindRetryMs) {
    if (HWND clock = FindWindowA(ClockWindow::kClassName, kWindowText)) {
      // This start is the user's: it may hand the right to come to the front on to the clock.
      DWORD process = 0;
      GetWindowThreadProcessId(clock, &process);
      AllowSetForegroundWindow(process);
      return message != 0 && PostMessageA(clock, message, 0, 0) != 0;
    }
    if (waited >= waitMs)
      return false;
    Sleep(kFindRetryMs);
  }
}

ClockMove DefaultClockMove()
{
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  const bool wine = ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  return wine ? ClockMove::Self : ClockMove::System;
}

ClockWindow::ClockWindow(ClockData& data, SettingsStore& store, HICON icon, UserMessages messages, ClockMove move,
                         ClockCompany* company)
    : form_(data, store, *this, std::move(messages), company), selfMove_(move == ClockMove::Self),
      secondStartMessage_(RegisterWindowMessageA(kSecondStartMessage)),
      ownTimer_(company ? nullptr : std::make_unique<TickTimer>()),
      ticks_(company ? company->schedule() : ownTimer_->schedule(), [this] { TimerTick(); }, kSecondInterval)
{
  // Double clicks on the clock itself where it moves itself, on its "title bar" elsewhere.
  RegisterWindowClass(kClassName, &ClockWindow::WindowProc, nullptr, CS_DBLCLKS);
  window_ = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, kWindowText, WS_POPUP, 0, 0,
                            0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window_)
    return;
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (icon) {
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  form_.FormCreate();
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  ApplyClickThrough();
  foreground_.Start(window_, kForegroundMessage);
}

ClockWindow::~ClockWindow()
{
  if (!window_)
    return;
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

// Places are the virtual screen's own pixels, as the system gives them to a per-monitor-aware
// program: the same on every monitor whatever its density.
PixelRect ClockWindow::PrimaryScreen() const
{
  return PrimaryScreenRect();
}

std::vector<PixelRect> ClockWindow::Screens() const
{
  return ScreenRects();
}

TimeOfDay ClockWindow::LocalTime() const
{
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  return {now.wHour, now.wMinute, now.wSecond};
}

PixelPoint ClockWindow::CursorPos() const
{
  POINT cursor = {};
  // No cursor to read (a locked desktop): no hole.
  if (!GetCursorPos(&cursor))
    return {form_.position().x - 1, form_.position().y - 1};
  return {cursor.x, cursor.y};
}

long double ClockWindow::DeviceScale() const
{
  // The monitor that holds the clock's centre, which is where it belongs when it straddles two.
  return ScaleAt(CentreOf(WindowRect(window_)));
}

long double ClockWindow::ScaleAt(PixelPoint point) const
{
  return ::ScaleAt(point);
}

void ClockWindow::Resize(PixelSize size)
{
  // No frame: the client area is the whole window.
  const long double scale = DeviceScale();
  SetWindowPos(window_, nullptr, 0, 0, DeviceDiameterOf(size.width, scale), DeviceDiameterOf(size.height, scale),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ClockWindow::MoveTo(PixelPoint position)
{
  MoveToDevice(position);
}

void ClockWindow::MoveToDevice(PixelPoint position)
{
  SetWindowPos(window_, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ClockWindow::Present(const DeviceImage& frame, PixelRect changed, bool resized, const ClickMask&, PixelRect)
{
  // A layered window takes the mouse by its own pixels' alpha, second hand included.
  if (surface_.Present(window_, WindowRect(window_).topLeft(), frame, resized ? frame.rect() : changed)) {
    presentFailed_ = false;
    return true;
  }
  if (!std::exchange(presentFailed_, true))
    form_.NoticeLater(SystemMessageText(GetLastError()));
  return false;
}

void ClockWindow::SetClickThrough(bool through)
{
  clickThrough_ = through;
  if (through)
    EndDrag();
  // At creation the choice is read before the window shows; the style follows once it does.
  if (IsWindowVisible(window_))
    ApplyClickThrough();
}

void ClockWindow::ApplyClickThrough()
{
  // A layered window with WS_EX_TRANSPARENT lets every click through, whatever its pixels' alpha.
  const LONG_PTR style = GetWindowLongPtrA(window_, GWL_EXSTYLE);
  const LONG_PTR wanted = clickThrough_ ? style | WS_EX_TRANSPARENT : style & ~LONG_PTR{WS_EX_TRANSPARENT};
  if (wanted != style)
    SetWindowLongPtrA(window_, GWL_EXSTYLE, wanted);
}

void ClockWindow::SetHidden(bool hidden)
{
  if (hidden) {
    ShowWindow(window_, SW_HIDE);
    return;
  }
  // Back above the others, leaving the keyboard focus with the window that has it.
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ClockWindow::SetTimerInterval(int milliseconds)
{
  ticks_.SetInterval(milliseconds);
}

void ClockWindow::TimerTick()
{
  // No window, no clock to show.
  if (!window_)
    return;
  // Besides the system's events: a look costs little, and catches what no event told (Wine 8 raises
  // neither of them).
  FollowForeground();
  form_.TimerTimer();
}

void ClockWindow::Later(std::function<void()> task)
{
  later_.push_back(std::move(task));
  PostMessageA(window_, kRunLaterMessage, 0, 0);
}

void ClockWindow::FollowPointer(POINT at)
{
  MoveToDevice(
      {movedFrom_.x + static_cast<int>(at.x - pressedAt_.x), movedFrom_.y + static_cast<int>(at.y - pressedAt_.y)});
  // The key state is the physical button's: with the buttons swapped the primary one is the right.
  const int primary = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  if (!selfMove_ || (GetAsyncKeyState(primary) & 0x8000))
    return;
  // The release's own message, on its way, puts the clock where the button came up.
  MSG release;
  if (!PeekMessageA(&release, window_, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE | PM_NOYIELD))
    EndDrag();
}

void ClockWindow::PointerMoved(bool nonClient)
{
  if (pointerOver_)
    return;
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE | (nonClient ? TME_NONCLIENT : 0);
  track.hwndTrack = window_;
  pointerOver_ = TrackMouseEvent(&track) != FALSE;
  form_.PointerEntered();
}

void ClockWindow::StartDrag()
{
  moving_ = true;
  form_.DragStarted();
}

void ClockWindow::EndDrag()
{
  if (!std::exchange(moving_, false))
    return;
  if (selfMove_) {
    KillTimer(window_, kDragTimer);
    if (GetCapture() == window_)
      ReleaseCapture();
  }
  form_.DragEnded();
}

void ClockWindow::FollowForeground()
{
  // Not during a drag, which is the user's own business with the clock: the next tick catches up.
  if (moving_)
    return;
  if (const auto fullScreen = foreground_.Look(); fullScreen != fullScreen_) {
    // A clock hidden over it sleeps, and where the system tells of no other foreground window (Wine)
    // no tick would see it go: the clock looks on its own until it has gone.
    if (!fullScreen)
      KillTimer(window_, kLookTimer);
    else if (!fullScreen_)
      SetTimer(window_, kLookTimer, kLookInterval, nullptr);
    fullScreen_ = fullScreen;
    form_.ActiveWindowChanged(fullScreen);
  }
}

LRESULT CALLBACK ClockWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  // A window being destroyed has no clock any more: what still comes is the system's.
  auto* shell = reinterpret_cast<ClockWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!shell)
    return DefWindowProcA(window, message, wParam, lParam);
  ++handling;
  const LRESULT result = shell->HandleMessage(message, wParam, lParam);
  // Nothing of the window is used past this point: what waited may delete it.
  if (--handling == 0) {
    for (auto& task : std::exchange(afterHandlers, {}))
      task();
  }
  return result;
}

LRESULT ClockWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == secondStartMessage_ && secondStartMessage_ != 0) {
    if (secondStart_)
      secondStart_();
    return 0;
  }
  switch (message) {
  case WM_NCHITTEST:
    // Every point is a title bar: the system's own move follows a left-button drag (or the press
    // comes to the clock, which then follows the pointer itself).
    DefWindowProcA(window_, message, wParam, lParam);
    if (form_.locked())
      return HTTRANSPARENT;
    return selfMove_ ? HTCLIENT : HTCAPTION;
  case WM_WINDOWPOSCHANGED:
    // Only the system's own reports say where the window is.
    if (const auto* place = reinterpret_cast<const WINDOWPOS*>(lParam); !(place->flags & SWP_NOMOVE))
      form_.WindowMoved({place->x, place->y});
    break;
  case WM_LBUTTONDOWN:
    // Only where the clock moves itself: elsewhere the press went to the title bar it answered.
    if (form_.locked())
      return 0;
    GetCursorPos(&pressedAt_);
    movedFrom_ = WindowRect(window_).topLeft();
    StartDrag();
    SetCapture(window_);
    // Wine loses pointer events once the window has moved under them: the pointer is asked for.
    SetTimer(window_, kDragTimer, kDragInterval, nullptr);
    return 0;
  case WM_MOUSEMOVE:
  case WM_NCMOUSEMOVE:
    // Moves come to the "title bar" where the system moves the clock, to the clock where it moves itself.
    PointerMoved(message == WM_NCMOUSEMOVE);
    if (moving_ && message == WM_MOUSEMOVE) {
      POINT at = {};
      GetCursorPos(&at);
      FollowPointer(at);
    }
    return message == WM_MOUSEMOVE ? 0 : DefWindowProcA(window_, message, wParam, lParam);
  case WM_MOUSELEAVE:
  case WM_NCMOUSELEAVE:
    pointerOver_ = false;
    form_.PointerLeft();
    return 0;
  case WM_DISPLAYCHANGE:
  case WM_TIMECHANGE:
  case WM_POWERBROADCAST:
    // The monitors changed, or the wall clock jumped (set, a new zone, back from sleep, which the
    // timer does not count): a sleeping clock shows it at once.
    form_.Wake();
    break;
  case WM_LBUTTONUP:
    // The drop is where the button came up, which may be past the last place followed. Not at a lost
    // capture: Wine takes it away when the press activates the window.
    if (selfMove_ && moving_) {
      POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(window_, &at);
      FollowPointer(at);
      EndDrag();
    }
    return 0;
  case WM_LBUTTONDBLCLK:
  case WM_NCLBUTTONDBLCLK:
    // Not the system's: a double click on a title bar would maximise the window.
    EndDrag();
    form_.DoubleClick();
    return 0;
  case WM_RBUTTONUP:
  case WM_NCRBUTTONUP:
    form_.RightButtonUp(CursorPos());
    return 0;
  case WM_CONTEXTMENU:
    return 0;
  case WM_TIMER:
    if (wParam == kDragTimer && moving_) {
      POINT at = {};
      GetCursorPos(&at);
      FollowPointer(at);
    } else if (wParam == kLookTimer) {
      FollowForeground();
    }
    return 0;
  case WM_DPICHANGED:
    // On a monitor of another density, or its density changed: drawn anew for it now, not at the next
    // tick. While the user drags the clock it takes the rectangle the system suggests, which keeps it
    // under the pointer. Otherwise the clock places itself (TForm1: its corner, or its centre where
    // the corner would take it to another monitor): the system's suggestion for a move the program
    // made itself can put it back across the border, and the two would chase each other.
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam); suggested && moving_) {
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    form_.TimerTimer();
    return 0;
  case WM_ENTERSIZEMOVE:
    StartDrag();
    return 0;
  case WM_EXITSIZEMOVE:
    EndDrag();
    return 0;
  case WM_KEYDOWN:
    // The clock has no keyboard commands.
    return 0;
  case WM_CLOSE:
    // The clock is the main window: closing it (Alt+F4) ends the program as "Close" does.
    PostQuitMessage(0);
    return 0;
  case kForegroundMessage:
    FollowForeground();
    return 0;
  case kRunLaterMessage:
    for (auto& task : std::exchange(later_, {}))
      task();
    return 0;
  default:
    break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}
