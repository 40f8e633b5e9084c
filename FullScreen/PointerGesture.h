#pragma once
#include <cstdint>
#include <optional>

#include "model/PixelGeometry.h"

class TForm1;

// What the left button means on a clock that moves itself (a layer surface; an X window no window
// manager moves): a press; a move past the drag distance starts a drag, and every move after it takes
// the clock along, held by the point it was grabbed at; the release is a click, or the drop where the
// button came up; a second press soon and near the first is a double click, unless the first became a
// drag. The clock is told (DragStarted, DragEnded, DoubleClick); the shell puts the window where Move
// and Release say. Places are the desktop's pixels.
class PointerGesture {
public:
  struct Limits {
    int dragDistance = 10;  // along both axes together
    int doubleClickMs = 400;
  };
  struct Step {
    bool dragStarted = false;         // this move made the press a drag
    std::optional<PixelPoint> place;  // where the window goes
  };

  explicit PointerGesture(TForm1& clock) : clock_(clock) {}

  // The button went down at `at` over a window whose corner is `corner`, at `ms` by the window
  // system's clock (which may wrap). A locked clock takes no press.
  void Press(PixelPoint at, PixelPoint corner, std::uint32_t ms, Limits limits);
  Step Move(PixelPoint at);
  std::optional<PixelPoint> Release(PixelPoint at);
  // The press ends without a release the clock sees (the pointer gone, a window manager's move over):
  // a drag ends where the window is.
  void Cancel();
  // The window is moved by someone else until Cancel (a window manager's move).
  void HandOver() { handedOver_ = true; }

  bool pressed() const { return pressed_; }
  bool dragging() const { return dragging_; }
  PixelPoint pressedAt() const { return pressedAt_; }

private:
  PixelPoint PlaceFor(PixelPoint at) const;

  TForm1& clock_;
  Limits limits_;
  bool pressed_ = false;
  bool dragging_ = false;
  bool handedOver_ = false;
  PixelPoint pressedAt_;
  PixelPoint grabbed_;  // the pressed point from the window's corner
  // The last press that may begin a double click.
  std::optional<std::uint32_t> lastPressMs_;
  PixelPoint lastPressAt_;
};
