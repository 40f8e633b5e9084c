#pragma once
#include <vector>

#include "model/PixelGeometry.h"

// The clock keeps itself this far inside the primary monitor, walking back in small steps on a faster
// timer while it is outside.
inline constexpr int kRestInterval = 500;   // ms
inline constexpr int kReturnInterval = 40;  // ms
inline constexpr int kScreenMargin = 5;     // pixels
inline constexpr int kReturnStep = 2;       // pixels per tick and axis
// Ticks at rest fall this long after the wall clock's half seconds, so the second hand turns just after
// the second, whichever side of the deadline a timer wakes on.
inline constexpr int kTickLag = 5;  // ms
// How far a pointer may travel in a tick at rest, in logical pixels: a pointer farther than this from
// the clock cannot reach it before the next tick.
inline constexpr int kPointerReach = 400;

struct TickInput {
  PixelPoint position;  // the window's left and top, as the window system reports them
  PixelSize size;       // its client width and height
  PixelRect screen;     // the primary monitor, origin and size
  int interval = kRestInterval;
  PixelPoint saved;     // the position last stored
};

struct TickDecision {
  int interval = kRestInterval;
  PixelPoint position;  // where the window goes this tick
  bool save = false;
};

// Inside means at least the margin from every edge of `screen`; every comparison is strict.
bool IsOutsideMargin(PixelPoint position, PixelSize size, PixelRect screen);

// One tick after the frame: the interval from the position before the step, one step back per axis,
// and whether the position after the step is a new place inside the margin to store.
TickDecision DecideTick(const TickInput& input);

// Where a clock loaded at `position` starts. A place on no monitor at all (one unplugged, a hand-edited
// file) would take minutes to walk back from, so it is brought to the nearest edge of the primary
// monitor; any place a monitor shows is kept and walks back as usual.
// The delay from a moment `millisecond` into the wall clock's second to the next tick. At rest the ticks
// fall kTickLag after the first half second still to come, so a timer that wakes a little early still
// shows the new second and does not tick again; any other interval keeps its own pace.
int DelayToNextTick(int interval, int millisecond);

// Whether the pointer is within kPointerReach of the window: only then can a click reach the clock
// before the next tick.
bool PointerWithinReach(PixelPoint pointer, PixelRect window);

// How many ticks after this one a pointer at `pointer` stays out of reach of the window, however it
// moves: it need not be looked for before then.
int TicksOutOfReach(PixelPoint pointer, PixelRect window);

PixelPoint PlaceWithinReach(PixelPoint position, PixelSize size, PixelRect primary,
                            const std::vector<PixelRect>& screens);
