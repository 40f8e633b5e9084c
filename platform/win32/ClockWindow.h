#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <windows.h>

#include "FullScreen/ClockCompany.h"
#include "FullScreen/TForm1.h"
#include "platform/win32/ForegroundWatch.h"
#include "platform/win32/LayeredSurface.h"
#include "platform/win32/TickTimer.h"

// How a drag moves the clock: the system's own move, as by a title bar (Windows), or the clock
// following the pointer itself (Wine, whose move of a window without a frame stops after one step).
enum class ClockMove { System, Self };
ClockMove DefaultClockMove();

// The clock window on Win32: borderless, top-most, per-pixel alpha (layered), no taskbar button. It
// turns the window's messages into TForm1's calls: the timer, the move reports, the drag and the
// clicks; a left-button drag anywhere something is drawn moves it, and pixels of alpha 0 let the
// mouse through.
class ClockWindow : public ClockWindowShell {
public:
  static constexpr char kClassName[] = "TForm1";

  // Creates the window, runs the creation handler and shows the window; `icon` may be null. One of
  // several clocks ticks on their company's timer; a clock alone has its own.
  ClockWindow(ClockData& data, SettingsStore& store, HICON icon, UserMessages messages,
              ClockMove move = DefaultClockMove(), ClockCompany* company = nullptr);
  ~ClockWindow() override;
  ClockWindow(const ClockWindow&) = delete;
  ClockWindow& operator=(const ClockWindow&) = delete;

  // False when the window system gave no window (no desktop to show it on).
  bool created() const { return window_ != nullptr; }
  HWND handle() const { return window_; }
  TForm1& form() { return form_; }
  // What a later start asks through kSecondStartMessage (AskRunningCopy).
  void SetSecondStartHandler(std::function<void()> handler) { secondStart_ = std::move(handler); }
  // Runs `task` once no clock window of the thread is inside one of its handlers: at once, or as the
  // last of them returns. A handler may run a box's or a menu's loop, in which a task that deletes
  // clocks would pull the window and its clock from under it.
  static void AfterHandlers(std::function<void()> task);

  PixelRect PrimaryScreen() const override;
  std::vector<PixelRect> Screens() const override;
  TimeOfDay LocalTime() const override;
  PixelPoint CursorPos() const override;
  long double DeviceScale() const override;
  long double ScaleAt(PixelPoint point) const override;
  bool PlacesInDevicePixels() const override { return true; }
  void Resize(PixelSize size) override;
  void MoveTo(PixelPoint position) override;
  bool Present(const DeviceImage& frame, PixelRect changed, bool resized, const ClickMask& clicks,
               PixelRect clicksChanged) override;
  void SetClickThrough(bool through) override;
  void SetHidden(bool hidden) override;
  void SetTimerInterval(int milliseconds) override;
  void Later(std::function<void()> task) override;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void MoveToDevice(PixelPoint position);
  void TimerTick();
  // Where the clock follows the pointer itself: the window goes with the pointer, at `at` (screen
  // pixels), and the drag ends once the button is up.
  void FollowPointer(POINT at);
  void ApplyClickThrough();
  // The pointer moved on the clock: the first move after it came tells the clock, and asks the
  // system to say when it leaves.
  void PointerMoved(bool nonClient);
  void StartDrag();
  void EndDrag();
  // Tells the form of a full-screen foreground window, or of its end.
  void FollowForeground();

  TForm1 form_;
  HWND window_ = nullptr;
  LayeredSurface surface_;
  bool presentFailed_ = false;  // told once; the next frames try again silently
  bool moving_ = false;         // the user drags the clock
  const bool selfMove_;
  POINT pressedAt_ = {};        // the pointer at the press, screen pixels
  PixelPoint movedFrom_;        // the window there, device pixels
  std::vector<std::function<void()>> later_;
  std::function<void()> secondStart_;
  bool clickThrough_ = false;   // a locked clock
  bool pointerOver_ = false;    // the system will say when the pointer leaves
  ForegroundWatch foreground_;
  std::optional<PixelRect> fullScreen_;  // the foreground window's monitor while it is full screen
  const UINT secondStartMessage_;
  std::unique_ptr<TickTimer> ownTimer_;  // a clock alone's
  ScheduledTicks ticks_;
};

// The set's "once the event loop runs" for clock windows: posted to the timer's window, and then held
// until no clock window is inside a handler (ClockWindow::AfterHandlers).
std::function<void(std::function<void()>)> ClockSetLater(TickTimer& ticks);

// A second start asks the running clock's window to show its settings, through a message registered
// for the purpose; false when no clock window was found within the wait (one still starting is waited
// for).
bool AskRunningCopy(DWORD waitMs = 3000);
