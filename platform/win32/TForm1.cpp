#include "platform/win32/TForm1.h"

#include <utility>

#include "Clocks/BuildClockImages.h"
#include "Clocks/ClockData.h"
#include "Clocks/NumeralSprites.h"
#include "model/SettingsStore.h"
#include "model/TickoraError.h"
#include "platform/win32/Screens.h"
#include "platform/win32/WindowClass.h"

namespace {
constexpr char kWindowText[] = "Tickora";


constexpr UINT_PTR kTimer = 1;
// While the clock follows the pointer itself: how often it looks where the pointer is.
constexpr UINT_PTR kDragTimer = 2;
constexpr UINT kDragInterval = 15;  // ms
constexpr UINT kShowPendingMessage = WM_APP + 1;
}  // namespace

ClockMove DefaultClockMove()
{
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  const bool wine = ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  return wine ? ClockMove::Self : ClockMove::System;
}

TForm1::TForm1(ClockData& data, SettingsStore& store, HICON icon, BoxMessages messages, ClockMove move)
    : data_(data), store_(store), messages_(std::move(messages)), selfMove_(move == ClockMove::Self)
{
  RegisterWindowClass(kClassName, &TForm1::WindowProc);
  window_ = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, kWindowText, WS_POPUP, 0, 0,
                            0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window_)
    return;
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (icon) {
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  // The timer runs with the window; its first tick comes once the message loop runs.
  SetTimer(window_, kTimer, static_cast<UINT>(interval_), nullptr);
  // An error ends the creation handler; the window is still shown, and then the box.
  RunHandler({[this](const std::string& text) { ShowLater(true, text); }, nullptr}, [this] { FormCreate(); });
  ShowWindow(window_, SW_SHOWNOACTIVATE);
}

TForm1::~TForm1()
{
  if (!window_)
    return;
  KillTimer(window_, kTimer);
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void TForm1::FormCreate()
{
  // A store that cannot be read is reported; the clock starts on what could be read and the defaults.
  try {
    store_.LoadSettings(data_.settings, PrimaryScreenRect());
  } catch (const TickoraError& e) {
    ShowLater(true, ErrorBoxText(e.what()));
  }
  const std::int32_t clientSize = CreateClockResources(data_);
  SetClientSize(clientSize, clientSize);
  MoveTo(PlaceWithinReach({data_.settings.left, data_.settings.top}, {clientSize, clientSize}, PrimaryScreenRect(),
                          ScreenRects()));
  BuildClockImages(data_);
  BuildNumeralSprites(data_);
  Draw();
}

void TForm1::SetClientSize(int width, int height)
{
  // No frame: the client area is the whole window.
  SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::MoveTo(PixelPoint position)
{
  SetWindowPos(window_, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::Draw()
{
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  const PixelRect window = WindowRect(window_);
  POINT cursor = {};
  // No cursor to read (a locked desktop): no hole.
  if (!GetCursorPos(&cursor))
    cursor = {window.x - 1, window.y - 1};
  const PixelRect changed =
      composer_.Present(data_, {now.wHour, now.wMinute, now.wSecond}, window, {cursor.x, cursor.y});
  if (changed.isEmpty() && composer_.frame().size() == surface_.size())
    return;
  if (surface_.Present(window_, window.topLeft(), composer_.frame(), changed)) {
    ++presentedCount_;
    presentFailed_ = false;
  } else if (!presentFailed_) {
    presentFailed_ = true;
    ShowLater(false, SystemMessageText(GetLastError()));
  }
}

void TForm1::TimerTimer()
{
  Draw();
  const PixelRect before = WindowRect(window_);
  const TickDecision tick = DecideTick(
      {before.topLeft(), before.size(), PrimaryScreenRect(), interval_, {data_.settings.left, data_.settings.top}});
  if (tick.interval != interval_) {
    interval_ = tick.interval;
    SetTimer(window_, kTimer, static_cast<UINT>(interval_), nullptr);
  }
  if (tick.position != before.topLeft()) {
    MoveTo(tick.position);
    // A move that did not happen stores nothing; the next tick looks again.
    if (WindowRect(window_).topLeft() != tick.position)
      return;
  }
  if (tick.save)
    SaveNewPosition(tick.position);
}

void TForm1::SaveNewPosition(PixelPoint position)
{
  // The record takes the place first, so a place that cannot be stored is not tried again.
  data_.settings.left = position.x;
  data_.settings.top = position.y;
  try {
    store_.SavePosition(data_.settings);
    lastPositionError_.clear();
  } catch (const TickoraError& e) {
    std::string text = ErrorBoxText(e.what());
    if (text == lastPositionError_)
      return;
    lastPositionError_ = text;
    // A modal box in the middle of a drag would take the mouse and end the drag where it is.
    if (moving_)
      pendingPositionError_ = std::move(text);
    else if (messages_.error)
      messages_.error(text);
  }
}

void TForm1::ShowLater(bool error, const std::string& text)
{
  pending_.push_back({error, text});
  PostMessageA(window_, kShowPendingMessage, 0, 0);
}

void TForm1::FollowPointer()
{
  POINT at = {};
  GetCursorPos(&at);
  MoveTo({movedFrom_.x + static_cast<int>(at.x - pressedAt_.x), movedFrom_.y + static_cast<int>(at.y - pressedAt_.y)});
  if (selfMove_ && !(GetAsyncKeyState(VK_LBUTTON) & 0x8000))
    EndDrag();
}

void TForm1::EndDrag()
{
  if (!moving_)
    return;
  moving_ = false;
  if (selfMove_) {
    KillTimer(window_, kDragTimer);
    if (GetCapture() == window_)
      ReleaseCapture();
  }
  if (!pendingPositionError_.empty() && messages_.error)
    messages_.error(std::exchange(pendingPositionError_, {}));
}

void TForm1::ShowPending()
{
  for (const Pending& message : std::exchange(pending_, {})) {
    const auto& show = message.error ? messages_.error : messages_.notice;
    if (show)
      show(message.text);
  }
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!form)
    return DefWindowProcA(window, message, wParam, lParam);
  return form->HandleMessage(message, wParam, lParam);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
  switch (message) {
  case WM_NCHITTEST:
    // Every point is a title bar: the system's own move follows a left-button drag (or the press
    // comes to the clock, which then follows the pointer itself).
    DefWindowProcA(window_, message, wParam, lParam);
    return selfMove_ ? HTCLIENT : HTCAPTION;
  case WM_LBUTTONDOWN:
    // Only where the clock moves itself: elsewhere the press went to the title bar it answered.
    GetCursorPos(&pressedAt_);
    movedFrom_ = WindowRect(window_).topLeft();
    moving_ = true;
    SetCapture(window_);
    // Wine loses pointer events once the window has moved under them: the pointer is asked for.
    SetTimer(window_, kDragTimer, kDragInterval, nullptr);
    return 0;
  case WM_MOUSEMOVE:
    if (moving_)
      FollowPointer();
    return 0;
  case WM_LBUTTONUP:
    // Not at a lost capture: Wine takes it away when the press activates the window.
    if (moving_ && selfMove_)
      EndDrag();
    return 0;
  case WM_NCLBUTTONDBLCLK:
    // A double click on a title bar would maximise the window.
    return 0;
  case WM_TIMER:
    if (wParam == kTimer)
      RunHandler(messages_, [this] { TimerTimer(); });
    else if (wParam == kDragTimer && moving_)
      FollowPointer();
    return 0;
  case WM_ENTERSIZEMOVE:
    moving_ = true;
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
  case kShowPendingMessage:
    ShowPending();
    return 0;
  default:
    return DefWindowProcA(window_, message, wParam, lParam);
  }
}
