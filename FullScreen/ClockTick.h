#pragma once
#include <QPoint>
#include <QSize>

// The clock keeps itself this far inside the primary display, walking back in small steps on a faster
// timer while it is outside.
inline constexpr int kRestInterval = 500;   // ms
inline constexpr int kReturnInterval = 40;  // ms
inline constexpr int kScreenMargin = 5;     // pixels
inline constexpr int kReturnStep = 2;       // pixels per tick and axis

struct TickInput {
  QPoint position;  // the window's left and top
  QSize size;       // its client width and height
  QSize screen;     // the primary display
  int interval = kRestInterval;
  QPoint saved;     // the position last stored
};

struct TickDecision {
  int interval = kRestInterval;
  QPoint position;  // where the window goes this tick
  bool save = false;
};

// Inside means at least the margin from every edge; every comparison is strict.
bool IsOutsideMargin(QPoint position, QSize size, QSize screen);

// One tick after the frame: the interval from the position before the step, one step back per axis,
// and whether the position after the step is a new place inside the margin to store.
TickDecision DecideTick(const TickInput& input);
