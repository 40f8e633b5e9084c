#pragma once
#include <cstdint>
#include <functional>
#include <vector>

// The one timer every clock of the process shares. Each clock keeps its own pace (an interval of
// FullScreen/ClockTick.h, its ticks spaced by DelayToNextTick); the platform's timer is armed for the
// nearest tick of them all, so clocks at the same pace wake together, and a clock walking back at
// 40 ms wakes no other.
//
// A tick falls due on the monotonic clock, which only runs forward. The wall clock is read only to
// find how far off its next turn is, afresh at each arming: set back or forward, stepped, or resumed
// from sleep, it costs a clock at most one tick, never its ticking.
class TickSchedule {
public:
  // `arm` sets the platform's single-shot timer to fire in so many milliseconds (-1: not at all);
  // `monotonic` reads a clock that never goes back (milliseconds, any origin) and `wall` the wall
  // clock (milliseconds since the epoch).
  TickSchedule(std::function<void(int delay)> arm, std::function<std::int64_t()> monotonic,
               std::function<std::int64_t()> wall);
  TickSchedule(const TickSchedule&) = delete;
  TickSchedule& operator=(const TickSchedule&) = delete;

  // A clock joins at `interval`; the id names it from then on.
  int Add(std::function<void()> tick, int interval);
  void Remove(int id);
  // The clock's next tick comes at its pace, counted from now (a new pace, or a wake out of turn).
  void SetInterval(int id, int interval);
  int IntervalOf(int id) const;
  // The platform's timer fired: the timer is armed anew for the next ticks, then every clock whose
  // tick is due ticks. A tick may run a nested event loop (a box): the timer fires in it as usual.
  void Fire();

private:
  struct Entry {
    int id = 0;
    std::function<void()> tick;
    int interval = 0;
    std::int64_t due = 0;  // monotonic
  };
  Entry* Find(int id);
  void Schedule(Entry& entry, std::int64_t monotonic, std::int64_t wall) const;
  void Arm();

  std::function<void(int)> arm_;
  std::function<std::int64_t()> monotonic_;
  std::function<std::int64_t()> wall_;
  std::vector<Entry> entries_;
  int nextId_ = 1;
};

// One clock's membership in a schedule, for as long as it lives.
class ScheduledTicks {
public:
  ScheduledTicks(TickSchedule& schedule, std::function<void()> tick, int interval)
      : schedule_(schedule), id_(schedule.Add(std::move(tick), interval))
  {
  }
  ~ScheduledTicks() { schedule_.Remove(id_); }
  ScheduledTicks(const ScheduledTicks&) = delete;
  ScheduledTicks& operator=(const ScheduledTicks&) = delete;

  void SetInterval(int interval) { schedule_.SetInterval(id_, interval); }
  int interval() const { return schedule_.IntervalOf(id_); }

private:
  TickSchedule& schedule_;
  int id_;
};
