#pragma once
#include <functional>
#include <utility>

#include <QDateTime>
#include <QTimer>

#include "FullScreen/ClockTick.h"

// The clock's timer on Qt's event loop: single shot, armed again after each tick at the clock's pace,
// its ticks spaced by DelayToNextTick from the wall clock's turn.
class TickTimer {
public:
  explicit TickTimer(std::function<void()> tick) : tick_(std::move(tick))
  {
    timer_.setSingleShot(true);
    // A coarse timer may wake early, before the second it is to show.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      tick_();
      Arm();
    });
  }

  void SetInterval(int milliseconds)
  {
    interval_ = milliseconds;
    Arm();
  }
  int interval() const { return interval_; }
  const QTimer& timer() const { return timer_; }

private:
  // The wall clock's minutes turn with the local ones (zones differ by whole minutes), and reading it
  // asks no time zone.
  void Arm()
  {
    timer_.start(DelayToNextTick(interval_, static_cast<int>(QDateTime::currentMSecsSinceEpoch() % 60000)));
  }

  std::function<void()> tick_;
  QTimer timer_;
  int interval_ = kSecondInterval;
};
