#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "FullScreen/ClockTick.h"
#include "tests/FullScreen/FakeClockShell.h"

namespace {

const PixelRect kScreen{0, 0, 1280, 1024};
const PixelSize kClock{166, 166};
const int kRight = kScreen.width - kClock.width;    // L with the right edge on the display's edge
const int kBottom = kScreen.height - kClock.height;

struct Walk {
  std::vector<PixelPoint> positions;
  std::vector<bool> returning;
  int savedAtTick = 0;  // 1-based, 0 = never
  PixelPoint saved;
};

// Runs ticks as the window would, from a drop at `start`.
Walk WalkFrom(PixelPoint start, int ticks, PixelRect screen = kScreen, PixelPoint saved = PixelPoint{300, 300})
{
  Walk walk;
  TickInput input{start, kClock, screen, saved};
  for (int tick = 1; tick <= ticks; ++tick) {
    const TickDecision d = DecideTick(input);
    walk.positions.push_back(d.position);
    walk.returning.push_back(d.returning);
    if (d.save && walk.savedAtTick == 0) {
      walk.savedAtTick = tick;
      walk.saved = d.position;
    }
    input.position = d.position;
    if (d.save)
      input.saved = d.position;
  }
  return walk;
}

}  // namespace

TEST(ClockTick, OneTick)
{
  const struct {
    const char* what;
    PixelPoint position;
    PixelPoint saved;
    bool returning;
    PixelPoint expectedPosition;
    bool save;
  } cases[] = {
      {"at rest", {100, 100}, {100, 100}, false, {100, 100}, false},
      {"moved inside", {200, 120}, {100, 100}, false, {200, 120}, true},
      {"L = 3", {3, 100}, {100, 100}, true, {5, 100}, true},
      {"L = 4", {4, 100}, {100, 100}, true, {6, 100}, true},
      {"L = 5 is inside", {5, 100}, {5, 100}, false, {5, 100}, false},
      {"L = W - CW - 5 is inside", {kRight - 5, 100}, {kRight - 5, 100}, false, {kRight - 5, 100}, false},
      {"L = W - CW - 4 steps back and saves", {kRight - 4, 100}, {1, 1}, true, {kRight - 6, 100}, true},
      {"T = 3", {100, 3}, {100, 100}, true, {100, 5}, true},
      {"T = H - CH", {100, kBottom}, {100, 100}, true, {100, kBottom - 2}, false},
      {"both axes", {-1, kBottom + 7}, {100, 100}, true, {1, kBottom + 5}, false},
      {"stepped back onto the saved place", {3, 100}, {5, 100}, true, {5, 100}, false},
      {"the store's highest place", {INT_MAX, INT_MAX}, {1, 1}, true, {INT_MAX - 2, INT_MAX - 2}, false},
  };
  for (const auto& c : cases) {
    const TickDecision d = DecideTick({c.position, kClock, kScreen, c.saved});
    EXPECT_EQ(d.returning, c.returning) << c.what;
    EXPECT_EQ(d.position, c.expectedPosition) << c.what;
    EXPECT_EQ(d.save, c.save) << c.what;
  }
}

// The margin belongs to the primary monitor wherever it lies: right of another one at +1280+0, or
// below-left of it.
TEST(ClockTick, PrimaryMonitorAwayFromTheOrigin)
{
  const struct {
    const char* what;
    PixelRect primary;
    PixelPoint position;
    PixelPoint expectedPosition;
    bool returning;
    bool save;
  } cases[] = {
      {"resting inside the right-hand primary", {1280, 0, 1280, 1024}, {1800, 400}, {1800, 400}, false, true},
      {"on the left monitor walks towards the primary", {1280, 0, 1280, 1024}, {400, 400}, {402, 400}, true, false},
      {"one pixel short of the primary's margin", {1280, 0, 1280, 1024}, {1284, 400}, {1286, 400}, true, true},
      {"past the primary's right edge", {1280, 0, 1280, 1024}, {2560 - 166 - 4, 400}, {2560 - 166 - 6, 400}, true, true},
      {"below-left primary, inside", {-1280, 1024, 1280, 1024}, {-700, 1500}, {-700, 1500}, false, true},
      {"below-left primary, above its top", {-1280, 1024, 1280, 1024}, {-700, 1026}, {-700, 1028}, true, false},
  };
  for (const auto& c : cases) {
    const TickDecision d = DecideTick({c.position, kClock, c.primary, PixelPoint{1, 1}});
    EXPECT_EQ(d.position, c.expectedPosition) << c.what;
    EXPECT_EQ(d.returning, c.returning) << c.what;
    EXPECT_EQ(d.save, c.save) << c.what;
  }
}

TEST(ClockTick, APlaceNoMonitorShowsIsBroughtToThePrimarysEdge)
{
  const PixelRect left{0, 0, 1280, 1024};
  const PixelRect right{1280, 0, 1280, 1024};
  const std::vector<PixelRect> two{right, left};
  const struct {
    const char* what;
    PixelPoint stored;
    PixelPoint expected;
  } cases[] = {
      {"inside the primary", {1800, 400}, {1800, 400}},
      {"on the other monitor: shown, kept", {300, 300}, {300, 300}},
      {"just over the margin: walks back as before", {-30, 100}, {-30, 100}},
      {"one pixel still shown", {2559, 1023}, {2559, 1023}},
      {"far right", {100000, 400}, {2560 - 166, 400}},
      {"far below", {1500, 90000}, {1500, 1024 - 166}},
      {"far left: the primary's near edge, not the other monitor", {-5000, -5000}, {1280, 0}},
      {"just past the bottom edge", {1500, 1024}, {1500, 1024 - 166}},
      {"the ends of the 32-bit range", {INT_MAX - 100, INT_MIN}, {2560 - 166, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PlaceWithinReach(c.stored, kClock, right, two), c.expected) << c.what;

  // From the edge the usual walk takes three ticks.
  const Walk walk = WalkFrom(PlaceWithinReach({100000, 400}, kClock, right, two), 4, right);
  EXPECT_EQ(walk.savedAtTick, 3);
  EXPECT_EQ(walk.saved, (PixelPoint{2560 - 166 - 6, 400}));
}

TEST(ClockTick, DroppedAtMinus30TakesEighteenTicks)
{
  const Walk walk = WalkFrom({-30, 100}, 19);
  for (int i = 0; i < 18; ++i)
    EXPECT_EQ(walk.positions[i].x, -28 + 2 * i) << "tick " << i + 1;
  EXPECT_EQ(walk.savedAtTick, 18);
  EXPECT_EQ(walk.saved, (PixelPoint{6, 100}));
  // Returning while outside before the step, at rest from the tick after the return.
  for (int i = 0; i < 18; ++i)
    EXPECT_TRUE(walk.returning[i]) << "tick " << i + 1;
  EXPECT_FALSE(walk.returning[18]);
  EXPECT_EQ(walk.positions[18], (PixelPoint{6, 100}));
}

TEST(ClockTick, RightEdgeNeedsThreeTicks)
{
  const Walk walk = WalkFrom({kRight, 100}, 4);
  EXPECT_EQ(walk.positions[0].x, kRight - 2);
  EXPECT_EQ(walk.positions[1].x, kRight - 4);
  EXPECT_EQ(walk.positions[2].x, kRight - 6);
  EXPECT_EQ(walk.savedAtTick, 3);
  EXPECT_FALSE(walk.returning[3]);

  const Walk down = WalkFrom({100, kBottom}, 3);
  EXPECT_EQ(down.savedAtTick, 3);
  EXPECT_EQ(down.saved, (PixelPoint{100, kBottom - 6}));
}

TEST(ClockTick, DisplayTooSmallForTheMarginNeverSettles)
{
  const struct { PixelRect screen; PixelPoint start; PixelPoint holds; } cases[] = {
      {{0, 0, kClock.width + 8, kScreen.height}, {5, 100}, {5, 100}},
      {{0, 0, kClock.width + 8, kScreen.height}, {4, 100}, {4, 100}},
      {{0, 0, kScreen.width, kClock.height + 9}, {100, 5}, {100, 5}},
  };
  for (const auto& c : cases) {
    const Walk walk = WalkFrom(c.start, 10, c.screen);
    EXPECT_EQ(walk.savedAtTick, 0);
    for (std::size_t i = 0; i < walk.positions.size(); ++i) {
      EXPECT_EQ(walk.positions[i], c.holds) << "tick " << i + 1;
      EXPECT_TRUE(walk.returning[i]) << "tick " << i + 1;
    }
  }
  // Ten pixels more than the clock leave one place inside, L = 5; 2-pixel steps reach it only from an odd L.
  const PixelRect tight{0, 0, kClock.width + 10, kScreen.height};
  const Walk odd = WalkFrom({1, 100}, 4, tight);
  EXPECT_EQ(odd.savedAtTick, 2);
  EXPECT_EQ(odd.saved, (PixelPoint{5, 100}));
  const Walk even = WalkFrom({0, 100}, 6, tight);
  EXPECT_EQ(even.savedAtTick, 0);
  EXPECT_EQ(even.positions.back(), (PixelPoint{6, 100}));
}

TEST(ClockTick, TicksAtRestFollowTheWallClock)
{
  // The moment is counted from the minute's start.
  const struct { int interval; int millisecond; int delay; } cases[] = {
      {kPointerInterval, 5, 500},  // on time
      {kPointerInterval, 6, 499},
      {kPointerInterval, 0, 505},    // woken early, yet past the second: not again before the half
      {kPointerInterval, 504, 501},
      {kPointerInterval, 400, 105},  // before the half second
      {kPointerInterval, 999, 6},    // the second not yet turned
      {kSecondInterval, 30999, 6},
      {kMinuteInterval, 45250, 14755},
      {kMinuteInterval, 59999, 6},   // woken just before the minute: the hands turn at the next tick
      {kReturnInterval, 321, kReturnInterval},  // the walk keeps its pace
  };
  for (const auto& c : cases)
    EXPECT_EQ(DelayToNextTick(c.interval, c.millisecond), c.delay) << c.interval << " at " << c.millisecond;
}

namespace {

// The schedule's own ticks, each taking down the wall clock's time.
struct ScheduleRig : FakeTimer {
  std::vector<std::int64_t> ticks;

  std::unique_ptr<ScheduledTicks> Clock(int interval, std::function<void()> also = {})
  {
    return std::make_unique<ScheduledTicks>(schedule, [this, also] {
      ticks.push_back(wall);
      if (also)
        also();
    }, interval);
  }
};

}  // namespace

// Whatever the wall clock does, a step costs at most one tick: the next comes within one interval,
// and from then on each lands just after the wall clock's own turn.
TEST(TickSchedule, WallClockStepsCostAtMostOneTick)
{
  constexpr std::int64_t kHour = 3'600'000;
  const struct { int interval; std::int64_t step; int intoTick; } cases[] = {
      {kSecondInterval, -kHour, 300},  {kSecondInterval, kHour, 300}, {kSecondInterval, -2'000, 1},
      {kSecondInterval, -2'000, 997},  {kSecondInterval, 1'337, 500}, {kMinuteInterval, -kHour, 20'000},
      {kMinuteInterval, -2'000, 59'990}, {kMinuteInterval, 25'000, 10'000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.interval) + " stepped " + std::to_string(c.step) + " at " + std::to_string(c.intoTick));
    ScheduleRig rig;
    const auto clock = rig.Clock(c.interval);
    rig.Run(2 * c.interval + c.intoTick);
    rig.wall += c.step;
    rig.ticks.clear();
    rig.Run(3 * c.interval + kTickLag);
    ASSERT_GE(rig.ticks.size(), 3u);
    EXPECT_LE(rig.ticks.size(), 4u);
    for (std::size_t i = 1; i < rig.ticks.size(); ++i)
      EXPECT_EQ(((rig.ticks[i] % c.interval) + c.interval) % c.interval, kTickLag) << "tick " << i;
  }
}

// A tick that opens a box runs the event loop inside it: every clock ticks on meanwhile.
TEST(TickSchedule, TicksGoOnInsideATick)
{
  ScheduleRig rig;
  int boxerTicks = 0;
  const auto boxer = rig.Clock(kSecondInterval, [&] {
    if (++boxerTicks == 3)
      rig.Run(5'000);
  });
  const auto other = rig.Clock(kSecondInterval);
  rig.Run(10'000);
  EXPECT_EQ(boxerTicks, 9);  // each second from 1.005 s
  EXPECT_GE(rig.ticks.size(), 18u);
}
