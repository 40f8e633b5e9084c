#include "FullScreen/ClockTick.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// A stored place may be anywhere in the 32-bit range: sums are formed in 64 bits.
using Wide = std::int64_t;

// The highest place on one axis that keeps the margin to the far edge.
Wide FarLimit(int size, int low, int extent)
{
  return Wide{low} + extent - size - kScreenMargin;
}

// One axis of the primary monitor from `low` to `low + extent`: back from the far edge, then forward
// from the near one.
int StepAxis(int at, int size, int low, int extent)
{
  Wide stepped = at;
  if (stepped > FarLimit(size, low, extent))
    stepped -= kReturnStep;
  if (stepped < Wide{low} + kScreenMargin)
    stepped += kReturnStep;
  return static_cast<int>(std::clamp<Wide>(stepped, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The nearest of [low, low + extent - size]; the near edge wins where the clock is the larger.
int ClampAxis(int at, int size, int low, int extent)
{
  return static_cast<int>(std::max<Wide>(low, std::min<Wide>(at, Wide{low} + extent - size)));
}

bool OutsideOnAxis(int at, int size, int low, int extent)
{
  return at > FarLimit(size, low, extent) || at < Wide{low} + kScreenMargin;
}

}  // namespace

bool IsOutsideMargin(PixelPoint position, PixelSize size, PixelRect screen)
{
  return OutsideOnAxis(position.x, size.width, screen.x, screen.width) ||
         OutsideOnAxis(position.y, size.height, screen.y, screen.height);
}

TickDecision DecideTick(const TickInput& input)
{
  TickDecision decision;
  decision.returning = IsOutsideMargin(input.position, input.size, input.screen);

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

int DelayToNextTick(int interval, int millisecond)
{
  if (interval == kReturnInterval)
    return interval;
  // Past the turn, the tick just run already shows it: the next comes after the next one.
  const int since = (millisecond % interval + interval) % interval;
  return interval + kTickLag - since;
}
