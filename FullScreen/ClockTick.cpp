#include "FullScreen/ClockTick.h"

#include <algorithm>

namespace {

// One axis of the primary monitor from `low` to `low + extent`: back from the far edge, then forward
// from the near one.
int StepAxis(int at, int size, int low, int extent)
{
  if (at > low + extent - size - kScreenMargin)
    at -= kReturnStep;
  if (at < low + kScreenMargin)
    at += kReturnStep;
  return at;
}

// The nearest of [low, low + extent - size]; the near edge wins where the clock is the larger.
int ClampAxis(int at, int size, int low, int extent)
{
  return std::max(low, std::min(at, low + extent - size));
}

}  // namespace

bool IsOutsideMargin(PixelPoint position, PixelSize size, PixelRect screen)
{
  return position.x > screen.x + screen.width - size.width - kScreenMargin || position.x < screen.x + kScreenMargin ||
         position.y > screen.y + screen.height - size.height - kScreenMargin || position.y < screen.y + kScreenMargin;
}

TickDecision DecideTick(const TickInput& input)
{
  TickDecision decision;
  decision.interval = input.interval;
  if (IsOutsideMargin(input.position, input.size, input.screen))
    decision.interval = kReturnInterval;
  else if (input.interval == kReturnInterval)
    decision.interval = kRestInterval;

  const PixelRect& screen = input.screen;
  decision.position = {StepAxis(input.position.x, input.size.width, screen.x, screen.width),
                       StepAxis(input.position.y, input.size.height, screen.y, screen.height)};
  decision.save = decision.position != input.saved && !IsOutsideMargin(decision.position, input.size, input.screen);
  return decision;
}

PixelPoint PlaceWithinReach(PixelPoint position, PixelSize size, PixelRect primary, const std::vector<PixelRect>& screens)
{
  const PixelRect clock{position.x, position.y, size.width, size.height};
  for (const PixelRect& screen : screens) {
    if (screen.intersects(clock))
      return position;
  }
  return {ClampAxis(position.x, size.width, primary.x, primary.width),
          ClampAxis(position.y, size.height, primary.y, primary.height)};
}
