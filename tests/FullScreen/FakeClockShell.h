#pragma once
#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Clocks/ClockData.h"
#include "FullScreen/TForm1.h"
#include "FullScreen/TickSchedule.h"
#include "model/ClockGeometry.h"
#include "model/SettingsStore.h"
#include "tests/model/FakeBackend.h"

// How often `entry` stands in a recorded log.
inline int CountOf(const std::vector<std::string>& log, const std::string& entry)
{
  return static_cast<int>(std::count(log.begin(), log.end(), entry));
}

// The process's timer in memory, over a monotonic clock that only the passing time moves and a wall
// clock (ms, starting on a minute's turn) that the test may also set back or forward.
struct FakeTimer {
  std::int64_t monotonic = 7'000;
  std::int64_t wall = 1'700'000'000'000;
  int armed = -1;
  TickSchedule schedule{[this](int delay) { armed = delay; }, [this] { return monotonic; }, [this] { return wall; }};

  // The timer fires as armed until `ms` have passed; a tick may run this again (a box's own loop).
  void Run(std::int64_t ms)
  {
    const std::int64_t end = monotonic + ms;
    while (armed >= 0 && monotonic + armed <= end) {
      const int delay = std::exchange(armed, -1);
      monotonic += delay;
      wall += delay;
      schedule.Fire();
    }
    wall += end - monotonic;
    monotonic = end;
  }
};

// A window system in memory: it records what the clock window asks and reports moves as told.
class FakeClockShell : public ClockWindowShell {
public:
  PixelRect primary{0, 0, 1920, 1080};
  std::vector<PixelRect> screens{primary};
  TimeOfDay time{10, 8, 30};
  PixelPoint cursor{-1, -1};
  long double scale = 1.0L;
  // As on Windows: each monitor's own density (in the order of `screens`), the window's on the
  // monitor that holds its centre, and places in device pixels. Empty: every monitor at `scale`.
  std::vector<long double> scales;
  bool reportMoves = true;  // a move is reported before MoveTo returns, as Windows does
  TForm1* form = nullptr;   // where the reports go
  std::vector<std::string>* log = nullptr;  // takes "client WxH" when given

  PixelSize size;        // logical
  PixelSize frameSize;   // device
  PixelSize windowSize;  // in the desktop's pixels
  PixelPoint position;
  PixelPoint movedTo;  // the last place asked for
  int timerInterval = 0;
  bool clickThrough = false;
  bool hidden = false;
  mutable int cursorQueries = 0;
  int presented = 0;
  PixelRect lastChanged;
  std::deque<std::function<void()>> later;

  PixelRect PrimaryScreen() const override { return primary; }
  std::vector<PixelRect> Screens() const override { return screens; }
  TimeOfDay LocalTime() const override { return time; }
  PixelPoint CursorPos() const override
  {
    ++cursorQueries;
    return cursor;
  }
  long double DeviceScale() const override
  {
    return scales.empty() ? scale : ScaleAt(CentreOf({position.x, position.y, windowSize.width, windowSize.height}));
  }
  long double ScaleAt(PixelPoint point) const override
  {
    if (scales.empty())
      return scale;
    // The monitor that holds the point, or the nearest.
    std::size_t nearest = 0;
    std::int64_t best = -1;
    for (std::size_t i = 0; i < screens.size(); ++i) {
      const PixelRect& r = screens[i];
      const std::int64_t dx = std::max<std::int64_t>({std::int64_t{r.x} - point.x, 0, point.x - r.right() + 1});
      const std::int64_t dy = std::max<std::int64_t>({std::int64_t{r.y} - point.y, 0, point.y - r.bottom() + 1});
      if (best < 0 || dx * dx + dy * dy < best) {
        best = dx * dx + dy * dy;
        nearest = i;
      }
    }
    return scales[nearest];
  }
  bool PlacesInDevicePixels() const override { return !scales.empty(); }
  void Resize(PixelSize to) override
  {
    size = to;
    const long double at = DeviceScale();
    windowSize = to;
    if (PlacesInDevicePixels())
      windowSize = {DeviceDiameterOf(to.width, at), DeviceDiameterOf(to.height, at)};
    if (log)
      log->push_back("client " + std::to_string(to.width) + "x" + std::to_string(to.height));
  }
  void MoveTo(PixelPoint to) override
  {
    movedTo = to;
    if (reportMoves)
      Report(to);
  }
  bool Present(const DeviceImage& frame, PixelRect changed, bool resized, const ClickMask&, PixelRect) override
  {
    ++presented;
    frameSize = frame.size();
    if (PlacesInDevicePixels())  // a layered window takes the frame's size
      windowSize = frameSize;
    lastChanged = resized ? frame.rect() : changed;
    return true;
  }
  void SetClickThrough(bool through) override { clickThrough = through; }
  void SetHidden(bool hide) override { hidden = hide; }
  void SetTimerInterval(int milliseconds) override { timerInterval = milliseconds; }
  void Later(std::function<void()> task) override { later.push_back(std::move(task)); }

  // The window system reports the window there (a move of its own, or one asked for).
  void Report(PixelPoint at)
  {
    position = at;
    if (form)
      form->WindowMoved(at);
  }
  // The user drags the window there and lets it go.
  void Drop(PixelPoint at)
  {
    form->DragStarted();
    Report(at);
    form->DragEnded();
  }
  // Lets the event loop run what waits for it.
  void RunLater()
  {
    while (!later.empty()) {
      auto task = std::move(later.front());
      later.pop_front();
      task();
    }
  }
};

// A clock window over its own data, an in-memory store and the fake window system; what it tells
// the user is recorded as "error: ..." and "notice: ...".
struct ClockRig {
  FakeBackend* backend = nullptr;
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<ClockData> data = std::make_unique<ClockData>();
  FakeClockShell shell;
  std::vector<std::string> told;
  std::unique_ptr<TForm1> form;

  ClockRig()
  {
    auto fake = std::make_unique<FakeBackend>();
    fake->exists = false;
    backend = fake.get();
    store = std::make_unique<SettingsStore>(std::move(fake));
  }
  // Stores `settings` first, as a clock before it left them.
  void Store(const ClockSettings& settings) { store->SaveSettings(settings); }

  TForm1& Create()
  {
    UserMessages messages;
    messages.error = [this](const std::string& text) { told.push_back("error: " + text); };
    messages.notice = [this](const std::string& text) { told.push_back("notice: " + text); };
    form = std::make_unique<TForm1>(*data, *store, shell, std::move(messages));
    shell.form = form.get();
    form->FormCreate();
    return *form;
  }
  std::int32_t Stored(const char* name) const { return static_cast<std::int32_t>(backend->Read(name).integer); }
};
