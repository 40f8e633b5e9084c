#include "FullScreen/ClockTick.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

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

PixelRect HomeMonitor(PixelRect clock, PixelRect primary, const std::vector<PixelRect>& screens)
{
  const PixelPoint centre = CentreOf(clock);
  for (const PixelRect& screen : screens) {
    if (screen.contains(centre))
      return screen;
  }
  PixelRect home = primary;
  std::int64_t shown = 0;
  for (const PixelRect& screen : screens) {
    const PixelRect part = screen.intersected(clock);
    if (const std::int64_t area = std::int64_t{part.width} * part.height; area > shown) {
      shown = area;
      home = screen;
    }
  }
  return home;
}

PixelPoint FreePlace(PixelPoint wanted, PixelSize size, PixelRect screen, const std::vector<PixelRect>& taken)
{
  // Inside the margin on one axis; the near edge wins where the monitor is too small.
  const auto inside = [&](int at, int extent, int low, int length) {
    const Wide far = FarLimit(extent, low, length);
    return static_cast<int>(std::max<Wide>(Wide{low} + kScreenMargin, std::min<Wide>(at, far)));
  };
  const auto settle = [&](Wide x, Wide y) -> PixelPoint {
    const auto toInt = [](Wide v) {
      return static_cast<int>(std::clamp<Wide>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    };
    return {inside(toInt(x), size.width, screen.x, screen.width), inside(toInt(y), size.height, screen.y, screen.height)};
  };
  const auto isFree = [&](PixelPoint at) {
    const PixelRect rect{at.x, at.y, size.width, size.height};
    return std::none_of(taken.begin(), taken.end(), [&](const PixelRect& other) { return other.intersects(rect); });
  };
  // The wanted place, then beside each clock in the way: to its right, left, below and above.
  std::vector<PixelPoint> candidates{settle(wanted.x, wanted.y)};
  for (const PixelRect& other : taken) {
    candidates.push_back(settle(other.right() + kScreenMargin, wanted.y));
    candidates.push_back(settle(Wide{other.x} - size.width - kScreenMargin, wanted.y));
    candidates.push_back(settle(wanted.x, other.bottom() + kScreenMargin));
    candidates.push_back(settle(wanted.x, Wide{other.y} - size.height - kScreenMargin));
    candidates.push_back(settle(other.right() + kScreenMargin, other.y));
    candidates.push_back(settle(other.x, other.bottom() + kScreenMargin));
  }
  const auto distance = [&](PixelPoint at) {
    const Wide dx = Wide{at.x} - wanted.x, dy = Wide{at.y} - wanted.y;
    return dx * dx + dy * dy;
  };
  std::optional<PixelPoint> best;
  for (const PixelPoint& candidate : candidates) {
    if (isFree(candidate) && (!best || distance(candidate) < distance(*best)))
      best = candidate;
  }
  return best.value_or(candidates.front());
}

int DelayToNextTick(int interval, int millisecond)
{
  if (interval == kReturnInterval)
    return interval;
  // Past the turn, the tick just run already shows it: the next comes after the next one.
  const int since = (millisecond % interval + interval) % interval;
  return interval + kTickLag - since;
}
