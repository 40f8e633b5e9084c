#include <gtest/gtest.h>

#include <climits>

#include "model/ClockGeometry.h"
#include "model/Numbers.h"

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
  const struct { long double value; int expected; } cases[] = {
      {0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {5.5L, 6}, {6.5L, 6}, {8.5L, 8}, {15.5L, 16},
      {-0.5L, 0}, {-1.5L, -2}, {-2.5L, -2}, {12.75L, 13}, {93.88L, 94}, {0.49999L, 0},
      // A pointer's place a hair under a whole pixel: Wayland's fixed point, a press at 150 %.
      {99.0L + 255.0L / 256, 100}, {-3.0L - 255.0L / 256, -4}, {55.333333L * 1.5L, 83},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Round(c.value), c.expected) << static_cast<double>(c.value);
}

TEST(ClockGeometry, DiameterRadiusAndOddDiameterBySizeStep)
{
  const struct { int step, diameter, oddDiameter, radius; } cases[] = {
      {0, 70, 71, 35}, {1, 73, 73, 36}, {2, 76, 77, 38}, {32, 166, 167, 83}, {49, 217, 217, 108}, {50, 220, 221, 110},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DiameterOf(c.step), c.diameter) << c.step;
    EXPECT_EQ(OddDiameterOf(c.step), c.oddDiameter) << c.step;
    EXPECT_EQ(RadiusOf(c.diameter), c.radius) << c.step;
    EXPECT_EQ(RadiusOf(c.oddDiameter), c.radius) << c.step;
  }
  EXPECT_EQ(RadiusOf(-7), -3);  // truncates toward zero
}

// Stored steps are not range-checked: D stays within the face planes and above zero.
TEST(ClockGeometry, DiameterStaysWithinThePlanes)
{
  const struct { int step, diameter; } cases[] = {
      {0, 70}, {1, 73}, {32, 166}, {50, 220}, {60, 250}, {61, 251}, {1000, 251}, {INT_MAX, 251},
      {-1, 67}, {-23, 1}, {-24, 1}, {INT_MIN, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DiameterOf(c.step), c.diameter) << c.step;
}

TEST(ClockGeometry, HandSizesForEveryHandWidth)
{
  const int second[] = {4, 4, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 8, 8, 8, 8, 9, 9, 9, 10, 10};
  const int minute[] = {6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 11, 12, 12, 13, 13, 14, 14, 15, 15, 16};
  const int hour[] = {9, 10, 10, 11, 11, 12, 13, 13, 14, 14, 15, 16, 16, 17, 17, 18, 19, 19, 20, 20, 21};
  for (int width = 0; width <= 20; ++width) {
    ClockGeometry g;
    SetHandSizes(g, width);
    EXPECT_EQ(g.secondHand, (HandSize{second[width], 100})) << width;
    EXPECT_EQ(g.minuteHand, (HandSize{minute[width], 80})) << width;
    EXPECT_EQ(g.hourHand, (HandSize{hour[width], 60})) << width;
  }
}

TEST(HandAngles, FromTimeOfDay)
{
  const struct { int h, m, s; long double hour, minute, second; } cases[] = {
      {12, 30, 15, 15.0L, 180.0L, 90.0L},
      {0, 59, 59, 29.5L, 354.0L, 354.0L},
      {23, 59, 0, 359.5L, 354.0L, 0.0L},
      {10, 8, 30, 304.0L, 48.0L, 180.0L},
      {3, 0, 0, 90.0L, 0.0L, 0.0L},
      {15, 0, 0, 90.0L, 0.0L, 0.0L},
      {0, 0, 0, 0.0L, 0.0L, 0.0L},
      {12, 0, 0, 0.0L, 0.0L, 0.0L},
  };
  for (const auto& c : cases) {
    const HandAngles a = HandAnglesAt(c.h, c.m, c.s);
    EXPECT_EQ(a.hour, c.hour) << c.h << ":" << c.m;
    EXPECT_EQ(a.minute, c.minute) << c.h << ":" << c.m;
    EXPECT_EQ(a.second, c.second) << c.h << ":" << c.m;
  }
}
