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

bool IsOutsideMargin(QPoint position, QSize size, QRect screen)
{
  return position.x() > screen.x() + screen.width() - size.width() - kScreenMargin ||
         position.x() < screen.x() + kScreenMargin ||
         position.y() > screen.y() + screen.height() - size.height() - kScreenMargin ||
         position.y() < screen.y() + kScreenMargin;
}

TickDecision DecideTick(const TickInput& input)
{
  TickDecision decision;
  decision.interval = input.interval;
  if (IsOutsideMargin(input.position, input.size, input.screen))
    decision.interval = kReturnInterval;
  else if (input.interval == kReturnInterval)
    decision.interval = kRestInterval;

  const QRect& screen = input.screen;
  decision.position = QPoint(StepAxis(input.position.x(), input.size.width(), screen.x(), screen.width()),
                             StepAxis(input.position.y(), input.size.height(), screen.y(), screen.height()));
  decision.save = decision.position != input.saved &&
                  !IsOutsideMargin(decision.position, input.size, input.screen);
  return decision;
}

QPoint PlaceWithinReach(QPoint position, QSize size, QRect primary, const QList<QRect>& screens)
{
  const QRect clock(position, size);
  for (const QRect& screen : screens) {
    if (screen.intersects(clock))
      return position;
  }
  return QPoint(ClampAxis(position.x(), size.width(), primary.x(), primary.width()),
                ClampAxis(position.y(), size.height(), primary.y(), primary.height()));
}
