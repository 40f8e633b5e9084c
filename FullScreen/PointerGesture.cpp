#include "FullScreen/PointerGesture.h"

#include <cstdlib>
#include <utility>

#include "FullScreen/TForm1.h"

namespace {
std::int64_t Distance(PixelPoint a, PixelPoint b)
{
  return std::llabs(std::int64_t{a.x} - b.x) + std::llabs(std::int64_t{a.y} - b.y);
}
}  // namespace

void PointerGesture::Press(PixelPoint at, PixelPoint corner, std::uint32_t ms, Limits limits)
{
  if (clock_.locked())
    return;
  limits_ = limits;
  // Unsigned, so a window system's clock that wraps between the presses still counts right.
  if (lastPressMs_ && ms - *lastPressMs_ <= static_cast<std::uint32_t>(limits.doubleClickMs) &&
      Distance(at, lastPressAt_) < limits.dragDistance) {
    lastPressMs_.reset();
    Cancel();
    clock_.DoubleClick();
    return;
  }
  Cancel();
  lastPressMs_ = ms;
  lastPressAt_ = at;
  pressed_ = true;
  pressedAt_ = at;
  grabbed_ = {ClampToInt(std::int64_t{at.x} - corner.x), ClampToInt(std::int64_t{at.y} - corner.y)};
}

PixelPoint PointerGesture::PlaceFor(PixelPoint at) const
{
  return {ClampToInt(std::int64_t{at.x} - grabbed_.x), ClampToInt(std::int64_t{at.y} - grabbed_.y)};
}

PointerGesture::Step PointerGesture::Move(PixelPoint at)
{
  Step step;
  if (!pressed_)
    return step;
  // A click, not a drag, until the pointer has gone far enough: clicks and double clicks stay the clock's.
  if (!dragging_ && Distance(at, pressedAt_) >= limits_.dragDistance) {
    dragging_ = true;
    step.dragStarted = true;
    // A press that became a drag begins no double click.
    lastPressMs_.reset();
    clock_.DragStarted();
  }
  if (dragging_ && !handedOver_)
    step.place = PlaceFor(at);
  return step;
}

std::optional<PixelPoint> PointerGesture::Release(PixelPoint at)
{
  // Dropped where the button came up, which may be past the last move seen.
  const std::optional<PixelPoint> place = Move(at).place;
  const bool dropped = dragging_;
  Cancel();
  return dropped ? place : std::nullopt;
}

void PointerGesture::Cancel()
{
  pressed_ = false;
  handedOver_ = false;
  if (std::exchange(dragging_, false))
    clock_.DragEnded();
}
