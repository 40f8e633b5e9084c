#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "FullScreen/PointerGesture.h"
#include "tests/FullScreen/FakeClockShell.h"

namespace {
ClockSettings At(int left, int top, std::int32_t sizeStep = 32)
{
  ClockSettings settings;
  settings.left = left;
  settings.top = top;
  settings.sizeStep = sizeStep;
  return settings;
}
}  // namespace

TEST(ClockWindow, CreationSizesPlacesAndPresentsTheFirstFrame)
{
  const ClockSettings firstStart = FirstStartSettings({0, 0, 1920, 1080});
  const struct {
    const char* what;
    std::function<void(ClockRig&)> before;
    PixelPoint position;
    int diameter;
    std::vector<std::string> told;  // once the event loop runs, not before
  } cases[] = {
      {"first start: centred, the defaults stored", [](ClockRig&) {}, {firstStart.left, firstStart.top}, 166, {}},
      {"stored", [](ClockRig& r) { r.Store(At(40, 50, 50)); }, {40, 50}, 220, {}},
      {"a value that cannot be read: the clock runs on what was read",
       [](ClockRig& r) {
         r.Store(At(40, 50, 0));
         r.backend->values.erase("Clock_FF");
       },
       {firstStart.left, firstStart.top}, 70, {"error: Failed to get data for 'Clock_FF'"}},
      // A place no monitor shows goes to the primary's nearest edge (at the window's creation size).
      {"off every monitor", [](ClockRig& r) { r.Store(At(100000, 50)); }, {1920 - 167, 50}, 166, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClockRig rig;
    c.before(rig);
    TForm1& form = rig.Create();
    EXPECT_EQ(rig.shell.position, c.position);
    EXPECT_EQ(form.position(), c.position);
    EXPECT_EQ(rig.shell.size, (PixelSize{c.diameter, c.diameter}));
    EXPECT_EQ(rig.shell.presented, 1);
    EXPECT_EQ(rig.shell.timerInterval, kSecondInterval);
    EXPECT_TRUE(rig.told.empty());
    rig.shell.RunLater();
    EXPECT_EQ(rig.told, c.told);
  }
  ClockRig rig;
  rig.Create();
  EXPECT_TRUE(rig.store->firstStart());
  EXPECT_EQ(rig.data->settings, firstStart);
  EXPECT_EQ(rig.Stored("Left"), firstStart.left);
}

TEST(ClockWindow, TicksWalkTheClockBackInsideTheMarginAndStoreItsNewPlace)
{
  const struct {
    int left, ticks, leftAfter;
    std::int32_t stored;  // "Left" in the store after the ticks
    int interval;
  } cases[] = {
      {3, 1, 5, 5, 40},  // saved at once, the interval back to rest only at the next tick
      {3, 2, 5, 5, kSecondInterval},
      {-30, 17, 4, -30, 40},  // not stored while outside
      {200, 1, 200, 200, kSecondInterval},  // at rest where it was stored: nothing happens
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.left) + " after " + std::to_string(c.ticks));
    ClockRig rig;
    rig.Store(At(c.left, 100));
    TForm1& form = rig.Create();
    for (int i = 0; i < c.ticks; ++i)
      form.TimerTimer();
    EXPECT_EQ(rig.shell.position, (PixelPoint{c.leftAfter, 100}));
    EXPECT_EQ(rig.Stored("Left"), c.stored);
    EXPECT_EQ(form.interval(), c.interval);
    EXPECT_EQ(rig.shell.timerInterval, c.interval);
  }
}

TEST(ClockWindow, APlaceIsStoredOnlyOnceTheWindowSystemReportsTheWindowThere)
{
  ClockRig rig;
  rig.Store(At(3, 100));
  TForm1& form = rig.Create();
  rig.shell.reportMoves = false;
  form.TimerTimer();
  EXPECT_EQ(form.position(), (PixelPoint{3, 100}));
  EXPECT_EQ(rig.Stored("Left"), 3);
  rig.shell.Report({5, 100});  // later
  EXPECT_EQ(rig.Stored("Left"), 5);
  // The user's own moves are stored once the clock rests there.
  rig.shell.Drop({300, 200});
  EXPECT_EQ(rig.Stored("Left"), 5);
  form.TimerTimer();
  EXPECT_EQ(rig.Stored("Left"), 300);
  EXPECT_EQ(rig.Stored("Top"), 200);
}

// Who put the window where it is decides whether the place is stored: the user's drop and the clock's
// own walk back are; a place the window manager chose (at a show, or at every move on sway) is not,
// nor the walk back from it.
TEST(ClockWindow, OnlyThePlacesOfTheUserAndOfTheWalkBackAreStored)
{
  const struct {
    const char* what;
    std::function<void(ClockRig&)> act;
    PixelPoint position, stored;
  } cases[] = {
      {"dropped outside: walked back", [](ClockRig& r) { r.shell.Drop({-3, 300}); }, {5, 300}, {5, 300}},
      {"put at 0,0 by the window manager: walked back, not stored", [](ClockRig& r) { r.shell.Report({0, 0}); },
       {6, 6}, {200, 100}},
      {"dropped after the window manager's place",
       [](ClockRig& r) { r.shell.Report({0, 0}); r.shell.Drop({600, 400}); }, {600, 400}, {600, 400}},
      // A busy machine: the window manager's move is reported ticks after the button went up.
      {"dropped, the window manager's report late", [](ClockRig& r) {
         r.form->DragStarted();
         r.form->DragEnded();
         for (int i = 0; i < 3; ++i)
           r.form->TimerTimer();
         r.shell.Report({550, 400});
       }, {550, 400}, {550, 400}},
      {"centred by the compositor, as sway answers every move", [](ClockRig& r) { r.shell.Report({877, 457}); },
       {877, 457}, {200, 100}},
      {"the monitors shrink under it: walked back and stored",
       [](ClockRig& r) { r.shell.primary = r.shell.screens[0] = {0, 0, 360, 1080}; }, {188, 100}, {188, 100}},
      // Shown again after a full-screen window, the window manager places it anew.
      {"shown again where it was", [](ClockRig& r) {
         r.form->ActiveWindowChanged(PixelRect{0, 0, 1920, 1080});
         r.shell.Report({0, 0});
         r.form->ActiveWindowChanged(std::nullopt);
         r.shell.RunLater();
       }, {200, 100}, {200, 100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClockRig rig;
    rig.Store(At(200, 100));
    TForm1& form = rig.Create();
    c.act(rig);
    for (int i = 0; i < 10; ++i)
      form.TimerTimer();
    EXPECT_EQ(form.position(), c.position);
    EXPECT_EQ((PixelPoint{rig.Stored("Left"), rig.Stored("Top")}), c.stored);
  }
}

// The clock sleeps until its picture can change, and asks where the pointer is only while it is over
// the clock.
TEST(ClockWindow, WakesOnlyAsOftenAsThePictureCanChange)
{
  ClockRig rig;
  ClockSettings settings = At(300, 200);
  settings.showSeconds = 0;
  rig.Store(settings);
  TForm1& form = rig.Create();
  const auto tick = [&](int ticks) {
    for (int i = 0; i < ticks; ++i)
      form.TimerTimer();
    rig.shell.RunLater();
  };
  const struct {
    const char* what;
    std::function<void()> act;
    int interval, queries;  // the pace after it, and how often the pointer was asked for in 3 ticks
  } steps[] = {
      {"no second hand", [] {}, kMinuteInterval, 0},
      {"the pointer comes", [&] { rig.shell.cursor = {380, 280}; form.PointerEntered(); }, kPointerInterval, 3},
      {"it leaves by a transparent pixel, still on the window",
       [&] { rig.shell.cursor = {301, 201}; form.PointerLeft(); }, kPointerInterval, 4},
      {"off the window", [&] { rig.shell.cursor = {299, 201}; }, kMinuteInterval, 1},
      {"the second hand shown", [&] { rig.data->settings.showSeconds = 1; form.Wake(); }, kSecondInterval, 0},
      {"moved by the window manager: looked at within half a second", [&] {
         rig.shell.Report({-30, 200});
         EXPECT_EQ(rig.shell.timerInterval, kPointerInterval);
       }, kReturnInterval, 0},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    const int before = rig.shell.cursorQueries;
    s.act();
    tick(3);
    EXPECT_EQ(rig.shell.cursorQueries - before, s.queries);
    EXPECT_EQ(form.interval(), s.interval);
    EXPECT_EQ(rig.shell.timerInterval, s.interval);
  }
}

TEST(ClockWindow, APlaceThatCannotBeStoredIsToldOnceUntilASaveSucceedsAndNeverDuringADrag)
{
  const std::string error = "error: Failed to set data for 'Left'";
  const struct {
    const char* step;
    std::function<void(ClockRig&, TForm1&)> act;
    std::vector<std::string> told;  // all so far, once the event loop has run
  } steps[] = {
      {"a place that cannot be stored", [](ClockRig& r, TForm1& f) { r.shell.Drop({150, 100}); f.TimerTimer(); },
       {error}},
      {"another", [](ClockRig& r, TForm1& f) { r.shell.Drop({160, 100}); f.TimerTimer(); }, {error}},
      {"one stored", [](ClockRig& r, TForm1& f) {
         r.backend->refuseAt = SIZE_MAX;
         r.shell.Drop({170, 100});
         f.TimerTimer();
         r.backend->refuseAt = 0;
       }, {error}},
      {"dragged to one that cannot be", [](ClockRig& r, TForm1& f) {
         f.DragStarted();
         r.shell.Report({180, 100});
         f.TimerTimer();
       }, {error}},
      {"the drag ends", [](ClockRig&, TForm1& f) { f.DragEnded(); }, {error, error}},
      {"a drag whose later place is stored", [](ClockRig& r, TForm1& f) {
         r.backend->refuseAt = SIZE_MAX;
         r.shell.Drop({190, 100});
         f.TimerTimer();
         r.backend->refuseAt = 0;
         f.DragStarted();
         r.shell.Report({200, 100});
         f.TimerTimer();
         r.backend->refuseAt = SIZE_MAX;
         r.shell.Report({210, 100});
         f.TimerTimer();
       }, {error, error}},
      {"its drop tells nothing", [](ClockRig&, TForm1& f) { f.DragEnded(); }, {error, error}},
  };
  ClockRig rig;
  rig.backend->refuseAt = 0;  // a first start that could store nothing, silently
  TForm1& form = rig.Create();
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    s.act(rig, form);
    rig.shell.RunLater();
    EXPECT_EQ(rig.told, s.told);
  }
  EXPECT_EQ(rig.data->settings.left, 210);
  EXPECT_EQ(rig.Stored("Left"), 210);
}

TEST(ClockWindow, OnlyAChangedFrameIsPresentedAndTheNextFrameTakesTheSizeBackToD)
{
  ClockRig rig;
  TForm1& form = rig.Create();
  form.Draw();
  EXPECT_EQ(rig.shell.presented, 1);  // the same time and pointer: nothing to present
  rig.shell.time.seconds = 31;
  form.Draw();
  EXPECT_EQ(rig.shell.presented, 2);
  EXPECT_LT(rig.shell.lastChanged.width, 166);  // only where the second hand was and is

  // What the size slider does: the client size now, D with the next frame.
  form.SetClientSize(221, 221);
  EXPECT_EQ(rig.shell.size, (PixelSize{221, 221}));
  form.Draw();
  EXPECT_EQ(rig.shell.size, (PixelSize{166, 166}));
  EXPECT_EQ(rig.shell.lastChanged, (PixelRect{0, 0, 166, 166}));
  EXPECT_EQ(form.presentedCount(), 3);
}

TEST(ClockWindow, DrawnInDevicePixelsAndAnewWhenMovedToAScreenOfAnotherScale)
{
  const struct {
    long double scale;
    std::int32_t sizeStep;
    int diameter, frame;  // logical, device: Round(D x scale), halves to even
  } cases[] = {
      {1.0L, 32, 166, 166}, {1.25L, 32, 166, 208}, {1.5L, 32, 166, 249}, {2.0L, 32, 166, 332},
      {1.5L, 1, 73, 110}, {2.0L, 50, 220, 440},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.scale));
    ClockRig rig;
    rig.shell.scale = c.scale;
    ClockSettings settings = At(100, 100, c.sizeStep);
    settings.transparency = 0;
    rig.Store(settings);
    TForm1& form = rig.Create();
    EXPECT_EQ(rig.shell.size, (PixelSize{c.diameter, c.diameter}));
    EXPECT_EQ(rig.shell.frameSize, (PixelSize{c.frame, c.frame}));
    // The pixel under the pointer, in device pixels from the window's corner.
    rig.shell.cursor = {100 + c.diameter / 2, 100 + c.diameter / 4};
    form.PointerEntered();
    form.Draw();
    const int x = static_cast<int>(c.diameter / 2 * c.scale), y = static_cast<int>(c.diameter / 4 * c.scale);
    EXPECT_EQ(form.frame().Pixel(x, y) >> 24, 0u);
    EXPECT_GT(form.frame().Pixel(x - 2, y) >> 24, 0u);
  }
  ClockRig rig;
  TForm1& form = rig.Create();
  rig.shell.scale = 2.0L;
  form.TimerTimer();
  EXPECT_EQ(rig.shell.frameSize, (PixelSize{332, 332}));
  EXPECT_EQ(rig.shell.size, (PixelSize{166, 166}));
}

// Two monitors of 1920 x 1080 device pixels side by side, at 100 % and 150 %, counted as Windows
// counts them for a per-monitor-aware program: in device pixels, each monitor at its own density.
namespace {
struct Layout {
  const char* name;
  PixelRect primary, other;
  long double primaryScale, otherScale;
};
const Layout kLayouts[] = {
    {"primary at 100 % left of one at 150 %", {0, 0, 1920, 1080}, {1920, 0, 1920, 1080}, 1.0L, 1.5L},
    {"primary at 150 % left of one at 100 %", {0, 0, 1920, 1080}, {1920, 0, 1920, 1080}, 1.5L, 1.0L},
    {"primary at 100 % right of one at 150 %", {1920, 0, 1920, 1080}, {0, 0, 1920, 1080}, 1.0L, 1.5L},
    {"primary at 150 % right of one at 100 %", {1920, 0, 1920, 1080}, {0, 0, 1920, 1080}, 1.5L, 1.0L},
};

void UseLayout(ClockRig& rig, const Layout& layout)
{
  rig.shell.primary = layout.primary;
  rig.shell.screens = {layout.primary, layout.other};
  rig.shell.scales = {layout.primaryScale, layout.otherScale};
}

// Ticks until the clock rests again (at most `limit` ticks); returns the frame's widths in turn.
std::vector<int> TickUntilAtRest(ClockRig& rig, TForm1& form, int limit = 1000)
{
  std::vector<int> widths{rig.shell.frameSize.width};
  for (int tick = 0; tick < limit; ++tick) {
    form.TimerTimer();
    if (rig.shell.frameSize.width != widths.back())
      widths.push_back(rig.shell.frameSize.width);
    if (form.interval() != kReturnInterval)
      break;
  }
  return widths;
}
}  // namespace

TEST(ClockWindow, TwoDensitiesFirstStartCentredOnThePrimaryAtItsOwnDensity)
{
  // The odd diameter 167 at 150 % is Round(250.5) = 250: 960 - 125 and 540 - 125.
  const struct { PixelPoint place; int frame; } expected[] = {
      {{876, 456}, 166}, {{835, 415}, 249}, {{1920 + 876, 456}, 166}, {{1920 + 835, 415}, 249}};
  for (std::size_t i = 0; i < std::size(kLayouts); ++i) {
    SCOPED_TRACE(kLayouts[i].name);
    ClockRig rig;
    UseLayout(rig, kLayouts[i]);
    TForm1& form = rig.Create();
    EXPECT_EQ(rig.shell.position, expected[i].place);
    EXPECT_EQ(rig.shell.frameSize, (PixelSize{expected[i].frame, expected[i].frame}));
    EXPECT_EQ((PixelPoint{rig.Stored("Left"), rig.Stored("Top")}), expected[i].place);
    form.TimerTimer();
    EXPECT_EQ(rig.shell.position, expected[i].place);
    EXPECT_EQ(form.interval(), kSecondInterval);
  }
}

// Dropped on the other monitor, or straddling the border, the clock takes that monitor's density
// where its centre lies and walks back inside the monitor that holds its centre, where it is stored;
// the frame changes size only where the centre crosses the border, and a restart finds it where it was
// stored.
TEST(ClockWindow, TwoDensitiesADropOnEitherMonitorWalksBackAndIsStored)
{
  const struct {
    std::size_t layout;
    int drop;                 // the left edge dropped at, the top at 300
    PixelPoint rest;          // where the clock rests and is stored
    std::vector<int> frames;  // the frame's widths in turn
  } cases[] = {
      // Grown at its corner, its centre staying on the monitor at 150 %: it stays there.
      {0, 2020, {2020, 300}, {166, 249}},
      // Straddling, its centre at 1920: on the monitor at 150 %, walked inside its margin.
      {0, 1837, {1925, 300}, {166, 249}},
      {1, 2020, {2020, 300}, {249, 166}},
      // Straddling with its centre at 1920, on the monitor at 100 %: shrunk about its centre to 1837
      // and from 300 to 341, then walked inside that monitor.
      {1, 1796, {1925, 341}, {249, 166}},
      {2, 1600, {1600, 300}, {166, 249}},
      // Grown at its corner its centre would be on the primary: it grows about its centre (1919)
      // instead, to 1795 and from 300 to 259, and walks back inside the monitor at 150 %.
      {2, 1836, {1665, 259}, {166, 249}},
      {3, 1600, {1600, 300}, {249, 166}},
      {3, 1795, {1749, 300}, {249, 166}},
  };
  for (const auto& c : cases) {
    const Layout& layout = kLayouts[c.layout];
    SCOPED_TRACE(std::string(layout.name) + ", dropped at " + std::to_string(c.drop));
    ClockRig rig;
    UseLayout(rig, layout);
    rig.Store(At(layout.primary.x + 300, 300));
    TForm1& form = rig.Create();
    rig.shell.Drop({c.drop, 300});
    EXPECT_EQ(TickUntilAtRest(rig, form), c.frames);
    EXPECT_EQ(rig.shell.position, c.rest);
    EXPECT_EQ((PixelPoint{rig.Stored("Left"), rig.Stored("Top")}), c.rest);

    // A restart: the same place, at the primary monitor's density, at rest.
    rig.form.reset();
    TForm1& again = rig.Create();
    EXPECT_EQ(rig.shell.position, c.rest);
    EXPECT_EQ(rig.shell.frameSize.width, c.frames.back());
    again.TimerTimer();
    EXPECT_EQ(rig.shell.position, c.rest);
    EXPECT_EQ(again.interval(), kSecondInterval);
  }
}

// Settings > Display changes the monitor's scale while the clock runs: it is drawn at the new density
// where it stands, and walks back only where it no longer fits inside the margin.
TEST(ClockWindow, TheMonitorsScaleChangedUnderARunningClock)
{
  const struct {
    long double from, to;
    int left, rest, frame;
    std::int32_t stored;
  } cases[] = {
      {1.0L, 1.5L, 1500, 1500, 249, 1500},
      {1.0L, 1.5L, 1700, 1666, 249, 1666},  // 1920 - 249 - 5
      {1.5L, 1.0L, 1500, 1500, 166, 1500},
      {1.0L, 2.0L, 100, 100, 332, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.left) + " at " + std::to_string(static_cast<double>(c.to)));
    ClockRig rig;
    rig.shell.scales = {c.from};
    ClockSettings settings = At(c.left, 300);
    settings.transparency = 0;  // every pixel of the face drawn
    rig.Store(settings);
    TForm1& form = rig.Create();
    rig.shell.scales = {c.to};
    int furthest = c.left;
    for (int tick = 0; tick < 100; ++tick) {
      form.TimerTimer();
      furthest = std::max(furthest, rig.shell.position.x);
    }
    EXPECT_EQ(furthest, c.left);  // never further out
    EXPECT_EQ(rig.shell.position, (PixelPoint{c.rest, 300}));
    EXPECT_EQ(rig.shell.frameSize.width, c.frame);
    EXPECT_EQ(rig.Stored("Left"), c.stored);
    EXPECT_EQ(form.interval(), kSecondInterval);
    // The pointer's hole is where the pointer is: places and frame count the same pixels.
    rig.shell.cursor = {c.rest + c.frame / 2, 300 + c.frame / 4};
    form.PointerEntered();
    form.Draw();
    EXPECT_EQ(form.frame().Pixel(c.frame / 2, c.frame / 4) >> 24, 0u);
    EXPECT_GT(form.frame().Pixel(c.frame / 2 - 2, c.frame / 4) >> 24, 0u);

    // Stored at one density, the same spot at another after a restart.
    rig.form.reset();
    rig.shell.scales = {c.from};
    rig.Create();
    EXPECT_EQ(rig.shell.position, (PixelPoint{c.rest, 300}));
  }
}

// The clock hides while the active window is full screen on the monitor that holds its centre (the
// other monitor's once it is moved there); the stored choice holds from the start.
TEST(ClockWindow, HidesOverAFullScreenWindowOnItsOwnMonitor)
{
  const PixelRect left{0, 0, 1920, 1080}, right{1920, 0, 1280, 1024};
  const struct {
    std::optional<PixelRect> fullScreen;
    bool choice, here, there;  // hidden at 100,100 on the left, then at 2000,100 on the right
  } cases[] = {
      {left, true, true, false},      {PixelRect{0, 0, 3200, 1080}, true, true, true},
      {right, true, false, true},     {PixelRect{0, 0, 1920, 1000}, true, false, false},
      {std::nullopt, true, false, false}, {left, false, false, false},
  };
  for (const auto& c : cases) {
    ClockRig rig;
    rig.shell.screens = {left, right};
    rig.Store(At(100, 100));
    rig.backend->values[kHideOverFullScreen] = {StoredValue::Kind::Integer, c.choice ? 1 : 0, {}};
    rig.Create().ActiveWindowChanged(c.fullScreen);
    EXPECT_EQ(rig.shell.hidden, c.here);
    ClockRig moved;
    moved.shell.screens = {left, right};
    moved.Store(At(100, 100));
    moved.backend->values[kHideOverFullScreen] = {StoredValue::Kind::Integer, c.choice ? 1 : 0, {}};
    moved.Create();
    moved.shell.Drop({2000, 100});
    moved.form->ActiveWindowChanged(c.fullScreen);
    EXPECT_EQ(moved.shell.hidden, c.there);
  }
}

// What the left button means on a clock that moves itself, the window's corner at 50,50: a press and
// a release short of the drag distance are a click; at the distance a drag; the drop is where the
// button came up, wherever that is; a second press soon and near is a double click, unless the first
// press became a drag.
TEST(PointerGesture, ClicksDragsDropsAndDoubleClicks)
{
  constexpr std::uint32_t kLate = 401, kWrapped = 0xffffff00;
  const struct {
    const char* what;
    PixelPoint moveTo, releaseAt;
    std::uint32_t firstAt, secondAt;  // the presses at 100,100 and at releaseAt
    std::optional<PixelPoint> dropped;
    int doubleClicks;
  } cases[] = {
      {"moved 9 pixels: a click", {105, 104}, {105, 104}, 0, 300, std::nullopt, 1},
      {"moved 10 pixels: a drag", {106, 104}, {106, 104}, 0, 300, PixelPoint{56, 54}, 0},
      {"let go outside the window, no move seen", {100, 100}, {400, -20}, 0, 300, PixelPoint{350, -70}, 0},
      {"pressed again too late", {100, 100}, {100, 100}, 0, kLate, std::nullopt, 0},
      {"pressed again as the system's clock wraps", {100, 100}, {100, 100}, kWrapped, kWrapped + 300, std::nullopt, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClockRig rig;
    TForm1& form = rig.Create();
    int doubleClicks = 0;
    form.SetDoubleClickHandler([&doubleClicks] { ++doubleClicks; });
    PointerGesture gesture(form);
    gesture.Press({100, 100}, {50, 50}, c.firstAt, {});
    gesture.Move(c.moveTo);
    EXPECT_EQ(gesture.Release(c.releaseAt), c.dropped);
    gesture.Press(c.releaseAt, {50, 50}, c.secondAt, {});
    EXPECT_EQ(doubleClicks, c.doubleClicks);
  }
}
