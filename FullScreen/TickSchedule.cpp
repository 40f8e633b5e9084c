#include "FullScreen/TickSchedule.h"

#include <algorithm>
#include <utility>

#include "FullScreen/ClockTick.h"

namespace {
// A timer may wake this much before the tick it was armed for; the tick runs then rather than after
// one more wake.
constexpr std::int64_t kEarlyWake = 2;  // ms
constexpr std::int64_t kMillisecondsPerMinute = 60000;
}  // namespace

TickSchedule::TickSchedule(std::function<void(int)> arm, std::function<std::int64_t()> monotonic,
                           std::function<std::int64_t()> wall)
    : arm_(std::move(arm)), monotonic_(std::move(monotonic)), wall_(std::move(wall))
{
}

TickSchedule::Entry* TickSchedule::Find(int id)
{
  const auto found = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
  return found == entries_.end() ? nullptr : &*found;
}

void TickSchedule::Schedule(Entry& entry, std::int64_t monotonic, std::int64_t wall) const
{
  const int millisecond = static_cast<int>(((wall % kMillisecondsPerMinute) + kMillisecondsPerMinute) % kMillisecondsPerMinute);
  entry.due = monotonic + DelayToNextTick(entry.interval, millisecond);
}

int TickSchedule::Add(std::function<void()> tick, int interval)
{
  Entry entry{nextId_++, std::move(tick), interval, 0};
  Schedule(entry, monotonic_(), wall_());
  entries_.push_back(std::move(entry));
  Arm();
  return entries_.back().id;
}

void TickSchedule::Remove(int id)
{
  std::erase_if(entries_, [id](const Entry& e) { return e.id == id; });
  Arm();
}

void TickSchedule::SetInterval(int id, int interval)
{
  if (Entry* entry = Find(id)) {
    entry->interval = interval;
    Schedule(*entry, monotonic_(), wall_());
    Arm();
  }
}

int TickSchedule::IntervalOf(int id) const
{
  const auto found = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
  return found == entries_.end() ? 0 : found->interval;
}

void TickSchedule::Fire()
{
  const std::int64_t monotonic = monotonic_();
  const std::int64_t wall = wall_();
  std::vector<int> due;
  for (Entry& entry : entries_) {
    if (entry.due <= monotonic + kEarlyWake) {
      Schedule(entry, monotonic, wall);
      due.push_back(entry.id);
    }
  }
  // Armed before any tick runs: a box opened by one leaves every clock ticking.
  Arm();
  for (const int id : due) {
    // A tick may remove a clock, or add one: each is looked up again.
    const Entry* entry = Find(id);
    if (!entry)
      continue;
    const std::function<void()> tick = entry->tick;
    tick();
  }
}

void TickSchedule::Arm()
{
  if (entries_.empty()) {
    arm_(-1);
    return;
  }
  const std::int64_t next =
      std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.due < b.due; })->due;
  arm_(static_cast<int>(std::clamp<std::int64_t>(next - monotonic_(), 0, kMillisecondsPerMinute + kTickLag)));
}
