#pragma once
#include <vector>

#include "model/PixelGeometry.h"

// The clock keeps itself this far inside the primary monitor, walking back in small steps on a faster
// timer while it is outside.
inline constexpr int kReturnInterval = 40;  // ms
inline constexpr int kScreenMargin = 5;     // pixels
inline constexpr int kReturnStep = 2;       // pixels per tick and axis
// At rest the clock wakes only when its picture can change: every half second while the pointer is over
// it (the pointer's hole follows it), else on the second, or on the minute without a second hand.
inline constexpr int kPointerInterval = 500;   // ms
inline constexpr int kSecondInterval = 1000;   // ms
inline constexpr int kMinuteInterval = 60000;  // ms
// Ticks at rest fall this long after the wall clock's turn, so the hands turn just after it, whichever
// side of the deadline a timer wakes on.
inline constexpr int kTickLag = 5;  // ms

struct TickInput {
  PixelPoint position;  // the window's left and top, as the window system reports them
  PixelSize size;       // its client width and height
  PixelRect screen;     // the primary monitor, origin and size
  PixelPoint saved;     // the position last stored
};

struct TickDecision {
  bool returning = false;  // the window was outside before the step: the timer runs at kReturnInterval
  PixelPoint position;     // where the window goes this tick
  bool save = false;
};

// Inside means at least the margin from every edge of `screen`; every comparison is strict.
bool IsOutsideMargin(PixelPoint position, PixelSize size, PixelRect screen);

// One tick after the frame: whether the clock is returning, from the position before the step; one
// step back per axis; and whether the position after the step is a new place inside the margin to store.
TickDecision DecideTick(const TickInput& input);

// Where a clock loaded at `position` starts. A place on no monitor at all (one unplugged, a hand-edited
// file) would take minutes to walk back from, so it is brought to the nearest edge of the primary
// monitor; any place a monitor shows is kept and walks back as usual.
PixelPoint PlaceWithinReach(PixelPoint position, PixelSize size, PixelRect primary,
                            const std::vector<PixelRect>& screens);

// The monitor a clock belongs to: the one that holds its centre, else the one that shows most of it,
// else the primary.
PixelRect HomeMonitor(PixelRect clock, PixelRect primary, const std::vector<PixelRect>& screens);

// A place for a clock of `size` inside `screen`'s margin, as near `wanted` as may be, where it covers
// none of the `taken` rectangles (the other clocks); inside the margin at `wanted`'s nearest spot when
// no such place is found.
PixelPoint FreePlace(PixelPoint wanted, PixelSize size, PixelRect screen, const std::vector<PixelRect>& taken);

// The delay from a moment `millisecond` into the wall clock's minute (0..59999) to the next tick. At
// rest (kPointerInterval, kSecondInterval, kMinuteInterval) the ticks fall kTickLag after the wall
// clock's next turn of that interval, so a timer that wakes a little early still shows the new second
// and does not tick again; the walk back keeps its own pace.
int DelayToNextTick(int interval, int millisecond);
