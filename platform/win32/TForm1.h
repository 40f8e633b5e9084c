#pragma once
#include <string>
#include <vector>

#include <windows.h>

#include "FullScreen/ClockTick.h"
#include "FullScreen/FrameComposer.h"
#include "platform/win32/LayeredSurface.h"
#include "platform/win32/MessageBoxes.h"

class SettingsStore;
struct ClockData;

// How a drag moves the clock: the system's own move, as by a title bar (Windows), or the clock
// following the pointer itself (Wine, whose move of a window without a frame stops after one step).
enum class ClockMove { System, Self };
ClockMove DefaultClockMove();

// The clock window: borderless, top-most, per-pixel alpha (layered), D x D, no taskbar button. A
// timer draws the clock and walks it back inside the primary monitor; a left-button drag anywhere
// something is drawn moves it, and pixels of alpha 0 let the mouse through.
class TForm1 {
public:
  static constexpr char kClassName[] = "TForm1";

  // Creates the window, runs the creation handler and shows the window; `icon` may be null.
  TForm1(ClockData& data, SettingsStore& store, HICON icon = nullptr, BoxMessages messages = {},
         ClockMove move = DefaultClockMove());
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // False when the window system gave no window (no desktop to show it on).
  bool created() const { return window_ != nullptr; }
  HWND handle() const { return window_; }

  // Composes the frame for the current time and puts it on screen.
  void Draw();
  void TimerTimer();
  // The size slider sets the client width, then the height; the next frame sets them to D.
  void SetClientSize(int width, int height);

  int interval() const { return interval_; }
  int presentedCount() const { return presentedCount_; }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void FormCreate();
  void MoveTo(PixelPoint position);
  void SaveNewPosition(PixelPoint position);
  // Shown once the message loop runs: no box holds up the window's creation or its first frame.
  void ShowLater(bool error, const std::string& text);
  void ShowPending();
  void FollowPointer();
  void EndDrag();

  ClockData& data_;
  SettingsStore& store_;
  BoxMessages messages_;
  HWND window_ = nullptr;
  FrameComposer composer_;
  LayeredSurface surface_;
  int interval_ = kRestInterval;
  int presentedCount_ = 0;
  bool presentFailed_ = false;           // told once; the next frames try again silently
  bool moving_ = false;                  // the user drags the clock
  const bool selfMove_;
  POINT pressedAt_ = {};                 // the pointer at the press, screen pixels
  PixelPoint movedFrom_;                 // the window there
  std::string lastPositionError_;        // not repeated at every tick
  std::string pendingPositionError_;     // shown when the drag ends, a box would end it
  struct Pending {
    bool error;
    std::string text;
  };
  std::vector<Pending> pending_;
};
