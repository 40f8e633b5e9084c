#include <gtest/gtest.h>

#include "Clocks/ClockSynthesis.h"
#include "ClockTestData.h"
#include "ReferenceSynthesis.h"

namespace {
constexpr int kUntouched = 7;

// A shaped-style hand: accent fill, then shading.
std::unique_ptr<ClockData> AccentHand(Rgb accent)
{
  auto data = NewClock();
  FillPlanes(data->handPlanes, kUntouched, kUntouched, kUntouched, kUntouched);
  data->accentColour = accent;
  FillHandAccent(*data);
  ShadeHandSprite(*data);
  return data;
}
}  // namespace

TEST(MarkerSprite, WorkedPixels)
{
  auto data = NewClock();
  data->markerSurface.SetSurfaceWidth(35);
  data->markerSurface.SetSurfaceHeight(35);
  FillPlanes(data->markerPlanes, kUntouched, kUntouched, kUntouched, kUntouched);
  FillSurface(data->markerSurface, 30, 60, 90);
  ComputeMarkerSprite(*data);
  const MarkerPlanes& p = data->markerPlanes;
  const struct { int row, column, alpha, red; } cases[] = {
      {17, 17, 255, 30},                                          // r about 0.0404
      {17, 1, 103, 30},                                           // Round(103.146)
      {17, 0, 0, kUntouched}, {0, 17, 0, kUntouched},             // r just above 1
      {0, 0, 0, kUntouched}, {0, 34, 0, kUntouched}, {34, 0, 0, kUntouched}, {34, 34, 0, kUntouched},
      {35, 35, kUntouched, kUntouched},                           // beyond the 35 x 35 sprite
  };
  for (const auto& c : cases) {
    EXPECT_EQ(p.alpha[c.row][c.column], c.alpha) << c.row << "," << c.column;
    EXPECT_EQ(p.red[c.row][c.column], c.red) << c.row << "," << c.column;
  }
  for (int k = 0; k < 35; ++k) {
    EXPECT_EQ(p.alpha[0][k], 0) << k;
    EXPECT_EQ(p.alpha[k][0], 0) << k;
  }
}

TEST(MarkerSprite, MatchesTheReferenceOnAPatternedSurface)
{
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    auto data = NewClock();
    FillPlanes(data->markerPlanes, kUntouched, kUntouched, kUntouched, kUntouched);
    data->markerSurface.SetSurfaceWidth(35);
    data->markerSurface.SetSurfaceHeight(35);
    FillPattern(data->markerSurface, seed);
    MarkerPlanes expected = data->markerPlanes;
    reference::Marker(data->markerSurface, expected);
    ComputeMarkerSprite(*data);
    EXPECT_EQ(FirstDifference(data->markerPlanes, expected), -1) << seed;
  }
}

TEST(HandTexture, CopiesTheMiddleWindowOfTheStretchedPicture)
{
  auto data = NewClock();
  FillPlanes(data->handPlanes, kUntouched, kUntouched, kUntouched, kUntouched);
  data->handTextureSurface.SetSurfaceWidth(30);
  data->handTextureSurface.SetSurfaceHeight(120);
  FillPattern(data->handTextureSurface, 9);
  CopyHandTexture(*data);
  const HandPlanes& p = data->handPlanes;
  for (int row = 0; row < 101; ++row) {
    const std::uint8_t* source = data->handTextureSurface.ScanRow(row + 10);
    for (int column = 0; column < 31; ++column) {
      if (column <= 16) {
        ASSERT_EQ(p.red[row][column], source[3 * (column + 7) + 2]) << row << "," << column;
        ASSERT_EQ(p.green[row][column], source[3 * (column + 7) + 1]) << row << "," << column;
        ASSERT_EQ(p.blue[row][column], source[3 * (column + 7)]) << row << "," << column;
      } else {
        ASSERT_EQ(p.red[row][column], kUntouched) << row << "," << column;
      }
      ASSERT_EQ(p.alpha[row][column], kUntouched) << row << "," << column;
    }
  }
}

TEST(HandShading, AlphaProfileAcrossTheRodAndAtItsEnds)
{
  const int body[16] = {13, 118, 185, 224, 244, 252, 255, 255, 255, 255, 252, 244, 224, 185, 118, 13};
  const int end[16] = {5, 44, 70, 84, 92, 95, 96, 96, 96, 96, 95, 92, 84, 70, 44, 5};
  const auto data = AccentHand({255, 193, 23});
  const HandPlanes& p = data->handPlanes;
  for (int g = 0; g < 16; ++g) {
    for (int i = 5; i <= 95; ++i)
      ASSERT_EQ(p.alpha[i][g], body[g]) << i << "," << g;
    EXPECT_EQ(p.alpha[0][g], end[g]) << g;
    EXPECT_EQ(p.alpha[100][g], end[g]) << g;
    for (int i = 0; i <= 5; ++i)
      EXPECT_EQ(p.alpha[i][g], p.alpha[100 - i][g]) << i << "," << g;
  }
  EXPECT_EQ(p.alpha[99][7], 174);
  EXPECT_EQ(p.alpha[1][7], 174);
}

TEST(HandShading, AccentColourScaledByTheSameFactors)
{
  const auto data = AccentHand({255, 193, 23});
  const HandPlanes& p = data->handPlanes;
  const struct { int row, column, red, green, blue; } cases[] = {
      {50, 0, 13, 10, 1}, {5, 0, 13, 10, 1}, {95, 0, 13, 10, 1},
      {50, 5, 252, 191, 23}, {50, 6, 255, 193, 23}, {50, 9, 255, 193, 23},
      {0, 0, 5, 4, 0}, {0, 7, 96, 73, 9}, {100, 0, 5, 4, 0}, {100, 7, 96, 73, 9},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(p.red[c.row][c.column], c.red) << c.row << "," << c.column;
    EXPECT_EQ(p.green[c.row][c.column], c.green) << c.row << "," << c.column;
    EXPECT_EQ(p.blue[c.row][c.column], c.blue) << c.row << "," << c.column;
  }
  for (int g = 0; g < 16; ++g)
    EXPECT_EQ(p.red[99][g], p.red[1][g]) << g;
  // Columns beyond the sprite are never written.
  EXPECT_EQ(p.red[50][16], kUntouched);
  EXPECT_EQ(p.alpha[50][16], kUntouched);
}

TEST(HandShading, TextureAndAccentMatchTheReference)
{
  const Rgb accents[] = {{255, 193, 23}, {0, 0, 0}, {255, 255, 255}, {84, 13, 45}};
  for (const Rgb& accent : accents) {
    auto data = NewClock();
    FillPlanes(data->handPlanes, 3, 200, 100, 50);  // a previous run's values
    data->accentColour = accent;
    FillHandAccent(*data);
    HandPlanes expected = data->handPlanes;
    reference::ShadeHand(expected);
    ShadeHandSprite(*data);
    EXPECT_EQ(FirstDifference(data->handPlanes, expected), -1) << accent.red;
  }
  for (std::uint32_t seed : {4u, 5u}) {
    auto data = NewClock();
    data->handTextureSurface.SetSurfaceWidth(30);
    data->handTextureSurface.SetSurfaceHeight(120);
    FillPattern(data->handTextureSurface, seed);
    CopyHandTexture(*data);
    HandPlanes expected = data->handPlanes;
    reference::ShadeHand(expected);
    ShadeHandSprite(*data);
    EXPECT_EQ(FirstDifference(data->handPlanes, expected), -1) << seed;
  }
}

TEST(HandShading, ShadingTwiceFromFreshColoursGivesTheSamePlanes)
{
  auto data = AccentHand({62, 76, 203});
  const HandPlanes first = data->handPlanes;
  FillHandAccent(*data);
  ShadeHandSprite(*data);
  EXPECT_EQ(FirstDifference(data->handPlanes, first), -1);
}
