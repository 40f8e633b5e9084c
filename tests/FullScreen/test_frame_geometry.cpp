#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "FullScreen/FrameGeometry.h"
#include "model/ClockGeometry.h"
#include "model/Numbers.h"
#include "model/X87Math.h"

namespace {
using Ring = std::array<PixelPoint, 12>;

// Independent expectations, computed with 64-bit-mantissa arithmetic outside the program.
struct RingCase {
  std::int32_t diameter;
  long double divisor;
  Ring centres;
};

const RingCase kRings[] = {
    {166, 2.4L, {{{83, 14}, {118, 23}, {143, 48}, {152, 83}, {143, 118}, {118, 143}, {83, 152}, {48, 143}, {23, 118}, {14, 83}, {23, 48}, {48, 23}}}},
    {166, 2.6L, {{{83, 19}, {115, 28}, {138, 51}, {147, 83}, {138, 115}, {115, 138}, {83, 147}, {51, 138}, {28, 115}, {19, 83}, {28, 51}, {51, 28}}}},
    {166, 2.9L, {{{83, 26}, {112, 33}, {133, 54}, {140, 83}, {133, 112}, {112, 133}, {83, 140}, {54, 133}, {33, 112}, {26, 83}, {33, 54}, {54, 33}}}},
    {220, 2.4L, {{{110, 18}, {156, 31}, {189, 64}, {202, 110}, {189, 156}, {156, 189}, {110, 202}, {64, 189}, {31, 156}, {18, 110}, {31, 64}, {64, 31}}}},
    {70, 2.4L, {{{35, 6}, {50, 10}, {60, 20}, {64, 35}, {60, 50}, {50, 60}, {35, 64}, {20, 60}, {10, 50}, {6, 35}, {10, 20}, {20, 10}}}},
    {73, 2.4L, {{{36, 6}, {52, 10}, {63, 21}, {67, 36}, {63, 52}, {52, 63}, {36, 67}, {21, 63}, {10, 52}, {6, 37}, {10, 21}, {21, 10}}}},
    {73, 2.9L, {{{36, 11}, {49, 15}, {58, 24}, {62, 36}, {58, 49}, {49, 58}, {36, 62}, {24, 58}, {15, 49}, {11, 37}, {15, 24}, {24, 15}}}},
};

}  // namespace

// At an odd D the four cardinal centres sit on a real half, and the last bits of 80-bit arithmetic
// decide which pixel they take, on every processor.
TEST(FrameGeometry, RingCentresFromTwelveAddedSteps)
{
  for (const RingCase& c : kRings) {
    const Ring got = RingCentres(c.diameter, c.divisor);
    for (std::size_t i = 0; i < 12; ++i) {
      EXPECT_EQ(got[i].x, c.centres[i].x) << "D " << c.diameter << " pos " << i;
      EXPECT_EQ(got[i].y, c.centres[i].y) << "D " << c.diameter << " pos " << i;
    }
  }
}

// The rings use the x87 unit's sine and cosine so every system places them alike; at the cardinal
// points of an odd D the rounding hangs on their last bits. The C library places them the same.
TEST(FrameGeometry, RingCentresEqualThoseOfTheLibrarysTrigForEveryDiameter)
{
#ifndef TICKORA_X87
  GTEST_SKIP() << "the rings take the library's sine and cosine here";
#endif
  constexpr long double kHalfPi = 1.570796326794896619231321691639751442L;
  constexpr long double kSixthPi = 0.523598775598298873077107230546583814L;
  for (std::int32_t d = 1; d <= kMaxDiameter; ++d)
    for (long double divisor : {kMarkerRingDivisor, NumeralRingDivisor(0), NumeralRingDivisor(1)}) {
      const Ring got = RingCentres(d, divisor);
      long double a = 0.0L;
      for (std::size_t i = 0; i < 12; ++i, a = a + kSixthPi) {
        const long double radius = static_cast<long double>(d) / divisor;
        const long double centre = static_cast<long double>(d) / 2.0L;
        ASSERT_EQ(got[i].x, Round(std::cos(a - kHalfPi) * radius + centre)) << "D " << d << " pos " << i;
        ASSERT_EQ(got[i].y, Round(std::sin(a - kHalfPi) * radius + centre)) << "D " << d << " pos " << i;
      }
    }
}

TEST(FrameGeometry, ScaleAndNumeralSize)
{
  const struct { std::int32_t diameter; std::int32_t size; std::int32_t half; } cases[] = {
      {166, 12, 6}, {220, 16, 8},
      {70, 6, 3},    // Round(5.09) = 5, raised to the minimum
      {73, 6, 3},    // Round(5.31) = 5, raised
      {76, 6, 3},    // Round(5.53) = 6
      {103, 7, 4},   // Round(7.49) = 7; half Round(3.5) = 4
      {124, 9, 4},   // Round(9.02) = 9; half Round(4.5) = 4
  };
  for (const auto& c : cases) {
    const std::int32_t n = NumeralSize(FrameScale(c.diameter));
    EXPECT_EQ(n, c.size) << c.diameter;
    EXPECT_EQ(NumeralRect({50, 60}, n), (PixelRect{50 - c.half, 60 - c.half, n, n})) << c.diameter;
  }
  EXPECT_EQ(FrameScale(220), 1.0L);
  EXPECT_EQ(FrameScale(166), Extended(166.0L / 220.0L));
}

TEST(FrameGeometry, MarkerAndNumeralRectanglesAtTwelve)
{
  const struct { std::int32_t diameter; std::int32_t dialStyle; PixelRect marker; PixelRect numeral; } cases[] = {
      {166, 11, {70, 1, 26, 26}, {77, 8, 12, 12}},
      {166, 8, {70, 1, 26, 26}, {77, 8, 12, 12}},
      {166, 0, {70, 1, 26, 26}, {77, 13, 12, 12}},
      {166, 1, {70, 1, 26, 26}, {77, 20, 12, 12}},
      {166, 7, {70, 1, 26, 26}, {77, 20, 12, 12}},
      {166, -3, {70, 1, 26, 26}, {77, 13, 12, 12}},  // drawn like style 0
      {220, 21, {92, 0, 35, 35}, {102, 10, 16, 16}},   // marker half Round(17.5) = 18
      {70, 9, {29, 0, 11, 11}, {32, 3, 6, 6}},
  };
  for (const auto& c : cases) {
    const long double scale = FrameScale(c.diameter);
    const PixelPoint markerTop = RingCentres(c.diameter, kMarkerRingDivisor)[0];
    EXPECT_EQ(MarkerRect(markerTop, 35, 35, scale), c.marker) << c.diameter << " dial " << c.dialStyle;
    const PixelPoint numeralTop = RingCentres(c.diameter, NumeralRingDivisor(c.dialStyle))[0];
    EXPECT_EQ(NumeralRect(numeralTop, NumeralSize(scale)), c.numeral) << c.diameter << " dial " << c.dialStyle;
  }
}

TEST(FrameGeometry, HandRectanglesAboutThePivot)
{
  const struct { std::int32_t diameter; HandSize size; HandKind kind; PixelRect rect; } cases[] = {
      {166, {11, 60}, HandKind::Hour, {-4, -38, 8, 45}},
      {166, {8, 80}, HandKind::Minute, {-3, -54, 6, 60}},
      {166, {5, 100}, HandKind::Second, {-2, -68, 4, 75}},
      {220, {11, 60}, HandKind::Hour, {-6, -51, 11, 60}},    // -Round(5.5): ties to even
      {220, {5, 100}, HandKind::Second, {-2, -90, 5, 100}},  // -Round(2.5)
      {220, {9, 60}, HandKind::Hour, {-4, -51, 9, 60}},      // -Round(4.5)
      {220, {21, 60}, HandKind::Hour, {-10, -51, 21, 60}},   // -Round(10.5)
      {70, {11, 60}, HandKind::Hour, {-2, -16, 4, 19}},
      {70, {8, 80}, HandKind::Minute, {-1, -23, 3, 25}},
      {73, {21, 60}, HandKind::Hour, {-3, -17, 7, 20}},
      {73, {10, 100}, HandKind::Second, {-2, -30, 3, 33}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HandRect(c.size, c.kind, FrameScale(c.diameter)), c.rect) << c.diameter << " w " << c.size.width;
}
