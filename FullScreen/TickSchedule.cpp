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

TickSchedule::TickSchedule(std::function<void(int)> arm, std::function<std::int64_t()> now)
    : arm_(std::move(arm)), now_(std::move(now))
{
}

TickSchedule::Entry* TickSchedule::Find(int id)
{
  const auto found = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
  return found == entries_.end() ? nullptr : &*found;
}

void TickSchedule::Schedule(Entry& entry, std::int64_t now) const
{
  const int millisecond = static_cast<int>(((now % kMillisecondsPerMinute) + kMillisecondsPerMinute) % kMillisecondsPerMinute);
  entry.due = now + DelayToNextTick(entry.interval, millisecond);
}

int TickSchedule::Add(std::function<void()> tick, int interval)
{
  Entry entry{nextId_++, std::move(tick), interval, 0};
  Schedule(entry, now_());
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
    Schedule(*entry, now_());
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
  firing_ = true;
  const std::int64_t now = now_();
  std::vector<int> due;
  for (const Entry& entry : entries_) {
    if (entry.due <= now + kEarlyWake)
      due.push_back(entry.id);
  }
  for (const int id : due) {
    // A tick may remove a clock, or add one: each is looked up again.
    Entry* entry = Find(id);
    if (!entry)
      continue;
    Schedule(*entry, now);
    const std::function<void()> tick = entry->tick;
    tick();
  }
  firing_ = false;
  Arm();
}

void TickSchedule::Arm()
{
  if (firing_)
    return;
  if (entries_.empty()) {
    arm_(-1);
    return;
  }
  const std::int64_t next =
      std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.due < b.due; })->due;
  arm_(static_cast<int>(std::clamp<std::int64_t>(next - now_(), 0, kMillisecondsPerMinute + kTickLag)));
}
