#include "platform/qt/ClockWatches.h"

#include <utility>
#include <vector>

#include "platform/qt/FullScreenWatch.h"
#include "platform/qt/SelectionWatch.h"
#include "platform/qt/WallClockWatch.h"

ClockWatches::Listener::Listener(Reports reports, std::shared_ptr<ClockWatches> watches) : watches_(std::move(watches))
{
  watches_->Join(*this, std::move(reports));
}

ClockWatches::Listener::~Listener()
{
  watches_->Leave(*this);
}

bool ClockWatches::Listener::compositing() const
{
  return !watches_->compositor_ || watches_->compositor_->owned();
}

std::optional<PixelRect> ClockWatches::Listener::fullScreen() const
{
  return watches_->fullScreen_ ? watches_->fullScreen_->covered() : std::nullopt;
}

std::shared_ptr<ClockWatches> ClockWatches::Shared()
{
  static std::weak_ptr<ClockWatches> shared;
  std::shared_ptr<ClockWatches> watches = shared.lock();
  if (!watches) {
    watches = std::make_shared<ClockWatches>();
    shared = watches;
  }
  return watches;
}

ClockWatches::ClockWatches(QString zoneFile) : zoneFile_(std::move(zoneFile)) {}

ClockWatches::~ClockWatches() = default;

void ClockWatches::Join(const Listener& listener, Reports reports)
{
  // Made before the listener joins: what a new watch reports at once is the state the listener reads.
  if (reports.wallClockJumped && !wallClock_)
    wallClock_ = std::make_unique<WallClockWatch>([this] { Tell(&Reports::wallClockJumped); }, zoneFile_);
  if (reports.fullScreenChanged && !fullScreen_)
    fullScreen_ = std::make_unique<FullScreenWatch>(
        [this](std::optional<PixelRect> covered) { Tell(&Reports::fullScreenChanged, covered); });
  if (reports.compositingChanged && !compositor_)
    compositor_ = std::make_unique<SelectionWatch>(
        "_NET_WM_CM_S", [this](bool running) { Tell(&Reports::compositingChanged, running); });
  listeners_[&listener] = std::move(reports);
}

void ClockWatches::Leave(const Listener& listener)
{
  listeners_.erase(&listener);
}

template <typename Report, typename... Args>
void ClockWatches::Tell(std::function<Report> Reports::*report, Args... args)
{
  // A report may remove a clock, even the last: each listener is looked up as its turn comes, and the
  // watches outlive the round.
  const std::shared_ptr<ClockWatches> keep = shared_from_this();
  std::vector<const Listener*> listeners;
  for (const auto& [listener, reports] : listeners_)
    listeners.push_back(listener);
  for (const Listener* listener : listeners) {
    const auto found = listeners_.find(listener);
    if (found == listeners_.end() || !(found->second.*report))
      continue;
    const std::function<Report> tell = found->second.*report;
    tell(args...);
  }
}
