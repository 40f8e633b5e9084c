#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "model/TickoraError.h"
#include "skins/RgbSurface.h"

namespace {
// A picture whose pixels name their own place: blue = column, green = row, red = a fixed tag.
Picture CoordinatePicture(std::int32_t width, std::int32_t height, std::uint8_t tag = 7)
{
  Picture picture{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height) * 3)};
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      std::uint8_t* p = picture.bgr.data() + (static_cast<std::size_t>(y) * width + x) * 3;
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = tag;
    }
  }
  return picture;
}

RgbSurface SurfaceOf(std::int32_t width, std::int32_t height)
{
  RgbSurface surface;
  surface.SetSurfaceWidth(width);
  surface.SetSurfaceHeight(height);
  return surface;
}

std::string ErrorOf(const RgbSurface& surface, std::int32_t y)
{
  try {
    surface.ScanRow(y);
  } catch (const TickoraError& error) {
    return error.what();
  }
  return "no error";
}

// The picture column and row that landed at each destination column (on row 0) and row (on column 0).
struct Sampling {
  std::vector<int> columns;
  std::vector<int> rows;
};

Sampling SamplingOf(const RgbSurface& surface)
{
  Sampling s;
  for (std::int32_t x = 0; x < surface.width(); ++x)
    s.columns.push_back(surface.ScanRow(0)[3 * x]);
  for (std::int32_t y = 0; y < surface.height(); ++y)
    s.rows.push_back(surface.ScanRow(y)[1]);
  return s;
}
}  // namespace

TEST(RgbSurface, CreatedAs24BitOneByOne)
{
  const RgbSurface surface;
  EXPECT_EQ(surface.width(), 1);
  EXPECT_EQ(surface.height(), 1);
  EXPECT_EQ(surface.bitCount(), 24);
  EXPECT_EQ(surface.stride(), 4);
}

TEST(RgbSurface, StrideIsThreeBytesPerPixelRoundedUpToFour)
{
  const struct { std::int32_t width, stride; } cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {16, 48}, {35, 108}, {166, 500}};
  for (const auto& c : cases) {
    EXPECT_EQ(RgbSurface::StrideOf(c.width), c.stride) << c.width;
    const RgbSurface surface = SurfaceOf(c.width, 3);
    EXPECT_EQ(surface.stride(), c.stride) << c.width;
    // Rows are exactly one stride apart, the top row last in memory.
    EXPECT_EQ(surface.ScanRow(1) - surface.ScanRow(2), c.stride) << c.width;
    EXPECT_EQ(surface.ScanRow(0) - surface.ScanRow(1), c.stride) << c.width;
  }
}

TEST(RgbSurface, ResizeToTheSameSizeKeepsStoreAndPixels)
{
  RgbSurface surface = SurfaceOf(35, 35);
  surface.ScanRow(10)[5] = 123;
  const std::uint8_t* row = surface.ScanRow(10);
  const auto generation = surface.storeGeneration();
  surface.SetSurfaceWidth(35);
  surface.SetSurfaceHeight(35);
  EXPECT_EQ(surface.storeGeneration(), generation);
  EXPECT_EQ(surface.ScanRow(10), row);
  EXPECT_EQ(surface.ScanRow(10)[5], 123);
}

TEST(RgbSurface, NewSizeGetsANewStore)
{
  const struct { std::int32_t width, height, newWidth, newHeight; int stores; } cases[] = {
      {35, 35, 35, 36, 1}, {35, 35, 30, 35, 1}, {30, 100, 30, 120, 1}, {166, 166, 220, 220, 2}, {1, 1, 16, 16, 2},
  };
  for (const auto& c : cases) {
    RgbSurface surface = SurfaceOf(c.width, c.height);
    surface.ScanRow(0)[0] = 99;
    const auto generation = surface.storeGeneration();
    surface.SetSurfaceWidth(c.newWidth);
    surface.SetSurfaceHeight(c.newHeight);
    EXPECT_EQ(surface.storeGeneration(), generation + static_cast<std::uint64_t>(c.stores)) << c.newWidth;
    EXPECT_EQ(surface.width(), c.newWidth);
    EXPECT_EQ(surface.height(), c.newHeight);
    EXPECT_EQ(surface.ScanRow(0)[0], 0) << "old pixels are discarded";
    // Every row of the new size is addressable and writable.
    for (std::int32_t y = 0; y < c.newHeight; ++y)
      surface.ScanRow(y)[3 * c.newWidth - 1] = 1;
  }
}

TEST(RgbSurface, ZeroOrNegativeSizeEmptiesTheSurface)
{
  for (const std::int32_t bad : {0, -1, -300}) {
    RgbSurface surface = SurfaceOf(20, 20);
    surface.SetSurfaceWidth(bad);
    EXPECT_EQ(surface.width(), 0);
    EXPECT_EQ(surface.height(), 0);
    EXPECT_EQ(ErrorOf(surface, 0), "Index of the scanning line exceeded the range. (0)");
    surface.PaintStretched({0, 0, 10, 10}, CoordinatePicture(4, 4));  // nothing to paint on, no crash
  }
}

TEST(RgbSurface, ImpossibleStoreIsAnErrorAndKeepsTheOldOne)
{
  RgbSurface surface = SurfaceOf(10, 10);
  surface.ScanRow(3)[3] = 42;
  const struct { std::int32_t width, height; } cases[] = {{INT32_MAX, 10}, {100000000, 10}, {10, INT32_MAX}};
  for (const auto& c : cases) {
    try {
      if (c.width != surface.width())
        surface.SetSurfaceWidth(c.width);
      else
        surface.SetSurfaceHeight(c.height);
      FAIL() << "no error for " << c.width << " x " << c.height;
    } catch (const TickoraError& error) {
      EXPECT_STREQ(error.what(), "DIB cannot be made");
    }
    EXPECT_EQ(surface.width(), 10);
    EXPECT_EQ(surface.height(), 10);
    EXPECT_EQ(surface.ScanRow(3)[3], 42);
  }
}

TEST(RgbSurface, ScanRowOutsideTheRowsNamesTheRow)
{
  const RgbSurface surface = SurfaceOf(35, 35);
  const struct { std::int32_t y; const char* message; } cases[] = {
      {-1, "Index of the scanning line exceeded the range. (-1)"},
      {35, "Index of the scanning line exceeded the range. (35)"},
      {1000, "Index of the scanning line exceeded the range. (1000)"},
      {INT32_MIN, "Index of the scanning line exceeded the range. (-2147483648)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ErrorOf(surface, c.y), c.message);
  EXPECT_EQ(ErrorOf(surface, 0), "no error");
  EXPECT_EQ(ErrorOf(surface, 34), "no error");
}

TEST(PaintStretched, SameSizeIsAPixelForPixelCopy)
{
  const struct { std::int32_t width, height; } cases[] = {{220, 220}, {35, 35}, {16, 16}, {5, 3}};
  for (const auto& c : cases) {
    const Picture picture = CoordinatePicture(c.width, c.height);
    RgbSurface surface = SurfaceOf(c.width, c.height);
    surface.PaintStretched({0, 0, c.width, c.height}, picture);
    for (std::int32_t y = 0; y < c.height; ++y)
      for (std::int32_t x = 0; x < c.width; ++x)
        ASSERT_EQ(0, std::memcmp(surface.ScanRow(y) + 3 * x, picture.Pixel(x, y), 3)) << x << "," << y;
  }
}

TEST(PaintStretched, ShrinkingLeavesOutWholeRowsAndColumnsEvenly)
{
  for (const std::int32_t d : {219, 166, 100, 70}) {
    const Picture picture = CoordinatePicture(220, 220);
    RgbSurface surface = SurfaceOf(d, d);
    surface.PaintStretched({0, 0, d, d}, picture);
    // Every pixel is one exact picture pixel: its own column and row, never a blend.
    for (std::int32_t y = 0; y < d; ++y) {
      const std::uint8_t* row = surface.ScanRow(y);
      for (std::int32_t x = 0; x < d; ++x) {
        ASSERT_EQ(row[3 * x + 2], 7) << d;
        ASSERT_EQ(row[3 * x], surface.ScanRow(0)[3 * x]) << "column not taken whole at " << d;
        ASSERT_EQ(row[3 * x + 1], surface.ScanRow(y)[1]) << "row not taken whole at " << d;
      }
    }
    const Sampling s = SamplingOf(surface);
    for (const std::vector<int>* taken : {&s.columns, &s.rows}) {
      EXPECT_EQ(taken->front(), 0) << d;
      int leftOut = 0;
      for (std::size_t i = 1; i < taken->size(); ++i) {
        const int step = (*taken)[i] - (*taken)[i - 1];
        // Strictly increasing (no repeats when shrinking) and at most one row skipped at a time when
        // shrinking by less than half: the gaps are spread, not bunched.
        ASSERT_GE(step, 1) << d;
        ASSERT_LE(step, (220 + d - 1) / d + 1) << d;
        leftOut += step - 1;
      }
      leftOut += 219 - taken->back();
      EXPECT_EQ(leftOut, 220 - d) << d;
      // Evenly spread: the picture index stays within one of the exact proportion.
      for (std::size_t i = 0; i < taken->size(); ++i)
        EXPECT_NEAR((*taken)[i], static_cast<double>(i) * 220 / d, 1.0) << d << " at " << i;
    }
  }
}

TEST(PaintStretched, MarkerIntoTheHandTexture)
{
  const Picture picture = CoordinatePicture(35, 35);
  RgbSurface surface = SurfaceOf(30, 120);
  surface.PaintStretched({0, 0, 30, 120}, picture);
  const Sampling s = SamplingOf(surface);

  std::vector<int> repeats(35, 0);
  for (std::size_t y = 0; y < s.rows.size(); ++y) {
    ++repeats[static_cast<std::size_t>(s.rows[y])];
    if (y > 0) {
      ASSERT_GE(s.rows[y], s.rows[y - 1]);
    }
  }
  int four = 0, three = 0;
  for (const int r : repeats) {
    four += r == 4;
    three += r == 3;
  }
  EXPECT_EQ(four, 15);
  EXPECT_EQ(three, 20);

  std::vector<int> columns = s.columns;
  EXPECT_TRUE(std::is_sorted(columns.begin(), columns.end()));
  EXPECT_EQ(std::unique(columns.begin(), columns.end()) - columns.begin(), 30) << "5 of 35 columns dropped";
}

TEST(PaintStretched, OverwritesEveryPixelAndClipsToTheSurface)
{
  const struct { SurfaceRect rect; std::int32_t painted; } cases[] = {
      {{0, 0, 10, 10}, 100},        {{-5, -5, 5, 5}, 25},      {{5, 5, 15, 15}, 25},
      {{INT32_MIN, 0, INT32_MAX, 10}, 100}, {{10, 10, 20, 20}, 0}, {{5, 5, 5, 9}, 0},
  };
  for (const auto& c : cases) {
    RgbSurface surface = SurfaceOf(10, 10);
    for (std::int32_t y = 0; y < 10; ++y)
      std::memset(surface.ScanRow(y), 0xEE, static_cast<std::size_t>(surface.stride()));
    Picture white{2, 2, std::vector<std::uint8_t>(12, 0x11)};
    surface.PaintStretched(c.rect, white);
    std::int32_t painted = 0;
    for (std::int32_t y = 0; y < 10; ++y)
      for (std::int32_t x = 0; x < 30; ++x)
        painted += surface.ScanRow(y)[x] == 0x11;
    EXPECT_EQ(painted, 3 * c.painted) << c.rect.left << "," << c.rect.top;
  }
}

TEST(PaintAt, CopiesThePictureUnscaledAtItsPlace)
{
  const Picture picture = CoordinatePicture(4, 3, 9);
  const struct { std::int32_t x, y; } cases[] = {{0, 0}, {2, 1}, {-1, -1}, {5, 5}, {INT32_MAX, 0}, {0, INT32_MIN}};
  for (const auto& c : cases) {
    RgbSurface surface = SurfaceOf(6, 6);
    surface.PaintAt(c.x, c.y, picture);
    for (std::int32_t y = 0; y < 6; ++y) {
      for (std::int32_t x = 0; x < 6; ++x) {
        const std::int64_t px = std::int64_t{x} - c.x, py = std::int64_t{y} - c.y;
        const bool inside = px >= 0 && px < 4 && py >= 0 && py < 3;
        const std::uint8_t* p = surface.ScanRow(y) + 3 * x;
        if (inside) {
          EXPECT_EQ(p[0], px);
          EXPECT_EQ(p[1], py);
          EXPECT_EQ(p[2], 9);
        } else {
          EXPECT_EQ(p[2], 0) << "painted outside the picture at " << x << "," << y;
        }
      }
    }
  }
}

TEST(PaintStretched, IncompletePictureIsAnError)
{
  RgbSurface surface = SurfaceOf(4, 4);
  const Picture broken{4, 4, std::vector<std::uint8_t>(10)};
  EXPECT_THROW(surface.PaintStretched({0, 0, 4, 4}, broken), TickoraError);
  EXPECT_THROW(surface.PaintAt(0, 0, broken), TickoraError);
}
