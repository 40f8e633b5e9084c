#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "FullScreen/ClockCompany.h"
#include "FullScreen/TForm1.h"
#include "model/UserMessages.h"

class SettingsStore;
struct ClockData;

// A clock window of whatever shell, as the set holds it.
class ClockHost {
public:
  virtual ~ClockHost() = default;
  virtual TForm1& form() = 0;
};

template <class Window>
class ClockHostOf : public ClockHost {
public:
  explicit ClockHostOf(std::unique_ptr<Window> window) : window_(std::move(window)) {}
  TForm1& form() override { return window_->form(); }

private:
  std::unique_ptr<Window> window_;
};

// Every clock the process shows: the first, and one for each section of the store. They share the
// one timer, the zone database and the lock and full-screen choices; each has its own look, place,
// zone and label.
class ClockSet : public ClockCompany {
public:
  // Makes a clock's window around its data, which the set has loaded; the window runs its creation.
  using WindowFactory = std::function<std::unique_ptr<ClockHost>(ClockData& data, ClockCompany& company)>;
  // Runs a task once the event loop runs again.
  using Later = std::function<void(std::function<void()>)>;
  // Told of each clock added after the start.
  using Added = std::function<void(ClockData& data, TForm1& clock)>;

  ClockSet(SettingsStore& store, TickSchedule& schedule, const TimeZones* zones, WindowFactory factory, Later later,
           UserMessages messages);
  ~ClockSet() override;
  ClockSet(const ClockSet&) = delete;
  ClockSet& operator=(const ClockSet&) = delete;

  // Starts the first clock, then every stored one; a clock whose section cannot be read is told of
  // and left out, the others start.
  void Start();
  void SetAddedHandler(Added handler) { added_ = std::move(handler); }

  // A new clock with `from`'s look, placed beside it and stored at once (an error is told; the clock
  // runs all the same). It takes the lowest number no clock and no section holds; throws TickoraError
  // when none is left.
  TForm1* Add(const TForm1& from);
  // Deletes a clock other than the first from the store and closes its window once the event loop
  // runs (it may be the one whose menu asked). Throws TickoraError when the store keeps it; the clock
  // stays then.
  void Remove(const TForm1& clock);

  std::size_t count() const { return clocks_.size(); }
  TForm1& first() { return clocks_.front().host->form(); }
  std::vector<TForm1*> clocks();
  // The data of a clock of the set; null for any other.
  ClockData* DataOf(const TForm1& clock);
  const ClockData* DataOf(const TForm1& clock) const;

  TickSchedule& schedule() override { return schedule_; }
  const TimeZones* zones() const override { return zones_; }

private:
  struct Clock {
    std::unique_ptr<ClockData> data;
    std::unique_ptr<ClockHost> host;
  };
  TForm1& Open(std::unique_ptr<ClockData> data);
  int NextNumber();
  // The other clocks' rectangles, in the desktop's pixels.
  std::vector<PixelRect> PlacesOfOthers(const TForm1& clock) const;
  // A monitor went: every clock that was on it comes onto the primary, each clear of the clocks that
  // stay and of the places already given to the others, and is stored there.
  void BringBack(const std::vector<PixelRect>& screens, PixelRect primary);

  SettingsStore& store_;
  TickSchedule& schedule_;
  const TimeZones* zones_;
  WindowFactory factory_;
  Later later_;
  UserMessages messages_;
  Added added_;
  std::vector<Clock> clocks_;
  std::vector<Clock> closing_;  // removed, closed once the event loop runs
};
