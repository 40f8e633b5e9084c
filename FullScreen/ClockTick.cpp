#include "FullScreen/ClockTick.h"

namespace {

// One axis: back from the far edge, then forward from the near one.
int StepAxis(int at, int size, int screen)
{
  if (at > screen - size - kScreenMargin)
    at -= kReturnStep;
  if (at < kScreenMargin)
    at += kReturnStep;
  return at;
}

}  // namespace

bool IsOutsideMargin(QPoint position, QSize size, QSize screen)
{
  return position.x() > screen.width() - size.width() - kScreenMargin || position.x() < kScreenMargin ||
         position.y() > screen.height() - size.height() - kScreenMargin || position.y() < kScreenMargin;
}

TickDecision DecideTick(const TickInput& input)
{
  TickDecision decision;
  decision.interval = input.interval;
  if (IsOutsideMargin(input.position, input.size, input.screen))
    decision.interval = kReturnInterval;
  else if (input.interval == kReturnInterval)
    decision.interval = kRestInterval;

  decision.position = QPoint(StepAxis(input.position.x(), input.size.width(), input.screen.width()),
                             StepAxis(input.position.y(), input.size.height(), input.screen.height()));
  decision.save = decision.position != input.saved &&
                  !IsOutsideMargin(decision.position, input.size, input.screen);
  return decision;
}
