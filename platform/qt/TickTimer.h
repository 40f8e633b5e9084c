#pragma once
#include <chrono>

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include "FullScreen/TickSchedule.h"

// The process's one timer on Qt's event loop: single shot, armed by the schedule for the nearest tick
// of all the clocks.
class TickTimer {
public:
  TickTimer()
  {
    timer_.setSingleShot(true);
    // A coarse timer may wake early, before the second it is to show.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { schedule_.Fire(); });
  }
  TickTimer(const TickTimer&) = delete;
  TickTimer& operator=(const TickTimer&) = delete;

  TickSchedule& schedule() { return schedule_; }
  const QTimer& timer() const { return timer_; }

private:
  QTimer timer_;
  // The wall clock's minutes turn with the local ones (zones differ by whole minutes), and reading it
  // asks no time zone.
  TickSchedule schedule_{[this](int delay) {
                           if (delay < 0)
                             timer_.stop();
                           else
                             timer_.start(delay);
                         },
                         [] {
                           return std::chrono::duration_cast<std::chrono::milliseconds>(
                                      std::chrono::steady_clock::now().time_since_epoch())
                               .count();
                         },
                         [] { return QDateTime::currentMSecsSinceEpoch(); }};
};
