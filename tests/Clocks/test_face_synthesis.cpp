#include <gtest/gtest.h>

#include "Clocks/ClockSynthesis.h"
#include "ClockTestData.h"
#include "ReferenceSynthesis.h"

namespace {

constexpr int kUntouched = 7;  // colour entries no run has written yet

// A face of diameter d computed from a uniform surface, planes starting at kUntouched.
std::unique_ptr<ClockData> UniformFace(int d, int style, int transparency, int red = 100, int green = 150, int blue = 200)
{
  auto data = NewClock();
  FillPlanes(data->facePlanes, kUntouched, kUntouched, kUntouched, kUntouched);
  data->geometry.diameter = d;
  data->settings.dialStyle = style;
  data->settings.transparency = transparency;
  data->faceSurface.SetSurfaceWidth(d);
  data->faceSurface.SetSurfaceHeight(d);
  FillSurface(data->faceSurface, red, green, blue);
  ComputeFacePlanes(*data);
  return data;
}

struct Rgba {
  int alpha, red, green, blue;
  bool operator==(const Rgba&) const = default;
};

Rgba At(const FacePlanes& p, int row, int column)
{
  return {p.alpha[row][column], p.red[row][column], p.green[row][column], p.blue[row][column]};
}

long double Axis(int k, int d)
{
  return fabsl(static_cast<long double>(2 * k) / d - 1.0L);
}

}  // namespace

TEST(FaceSynthesis, WorkedPixelsAtDiameter166)
{
  const struct { int style, transparency, row, column; Rgba expected; } cases[] = {
      {0, 0, 83, 83, {255, 100, 150, 200}},   // centre, r = sqrt(1e-9)
      {0, 0, 83, 0, {0, kUntouched, kUntouched, kUntouched}},  // r > 1 keeps its colours
      {0, 0, 83, 1, {71, 57, 85, 114}},       // rim, L about 0.28
      {0, 0, 83, 8, {179, 101, 136, 171}},    // rim, L about 0.70
      {0, 0, 83, 9, {94, 100, 150, 200}},     // just inside the rim
      {11, 0, 83, 83, {255, 100, 150, 200}},  // plain disc
      {11, 0, 83, 1, {24, 100, 150, 200}},
      {0, 25, 83, 83, {127, 100, 150, 200}},  // 255 x (1 - 1e-18) / 2 stays below the half
      {0, 25, 83, 9, {47, 100, 150, 200}},    // Round(93.88 / 2)
      {0, 50, 83, 83, {0, 100, 150, 200}},
      {0, 50, 83, 1, {0, 57, 85, 114}},       // the rim is transparent too, its colour still lifted
  };
  for (const auto& c : cases) {
    const auto data = UniformFace(166, c.style, c.transparency);
    const Rgba got = At(data->facePlanes, c.row, c.column);
    EXPECT_EQ(got, c.expected) << "style " << c.style << " T " << c.transparency << " at " << c.row << "," << c.column
                               << ": " << got.alpha << " " << got.red << " " << got.green << " " << got.blue;
  }
}

TEST(FaceSynthesis, ShapedAlphaAtDiameter166)
{
  const struct { int style, row, column, alpha; } cases[] = {
      {0, 83, 20, 170}, {2, 83, 20, 190}, {2, 20, 83, 111}, {4, 83, 20, 116}, {3, 83, 20, 209},
  };
  for (const auto& c : cases) {
    const auto data = UniformFace(166, c.style, 0);
    EXPECT_EQ(data->facePlanes.alpha[c.row][c.column], c.alpha) << "style " << c.style << " at " << c.row << "," << c.column;
  }
}

TEST(FaceSynthesis, ShapeValuesAtDiameter166)
{
  const struct { int style, row, column; long double r, shaped, light; FacePixelKind kind; } cases[] = {
      {0, 83, 1, 0.98795L, 0.98795L, 0.2801L, FacePixelKind::Rim},
      {0, 83, 8, 0.90361L, 0.90361L, 0.7034L, FacePixelKind::Rim},
      {0, 83, 9, 0.89157L, 0.89157L, 0, FacePixelKind::Plain},
      {2, 83, 20, 0.75904L, 0.71084L, 0, FacePixelKind::Plain},
      {2, 20, 83, 0.75904L, 0.86673L, 0, FacePixelKind::Plain},
      {4, 83, 20, 0.75904L, 0.85904L, 0, FacePixelKind::Plain},
      {3, 83, 20, 0.75904L, 0.91082L, 0.8211L, FacePixelKind::Rim},
      {3, 83, 5, 0.93976L, 1.12771L, -1, FacePixelKind::HiddenRim},  // r <= 1 < r'
      {0, 83, 0, 1.0L, 1.0L, 0, FacePixelKind::Outside},
  };
  for (const auto& c : cases) {
    const FaceShapeValues v = ComputeFaceShape(Axis(c.column, 166), Axis(c.row, 166), FaceShapeKey(c.style));
    EXPECT_NEAR(static_cast<double>(v.r), static_cast<double>(c.r), 5e-5) << c.style << " " << c.row << "," << c.column;
    EXPECT_NEAR(static_cast<double>(v.shaped), static_cast<double>(c.shaped), 5e-5) << c.style;
    if (c.light > 0) {
      EXPECT_NEAR(static_cast<double>(v.light), static_cast<double>(c.light), 5e-5) << c.style;
    }
    EXPECT_EQ(v.kind, c.kind) << c.style << " " << c.row << "," << c.column;
  }
}

TEST(FaceSynthesis, HiddenRimTakesTheRimColourWithAlphaZero)
{
  const auto data = UniformFace(166, 3, 0);
  // r' about 1.1277, L about 0.3564: darkened by 0.6 L + 0.4, barely lifted.
  EXPECT_EQ(At(data->facePlanes, 83, 5), (Rgba{0, 62, 93, 123}));
}

TEST(FaceSynthesis, FirstRowAndColumnAreTransparent)
{
  for (int style : {0, 1, 3, 5, 7, 8, 11, 21}) {
    for (int d : {70, 73, 166, 220}) {
      const auto data = UniformFace(d, style, 0);
      int lastRowAlpha = 0;
      int lastColumnAlpha = 0;
      for (int k = 0; k < d; ++k) {
        EXPECT_EQ(data->facePlanes.alpha[0][k], 0) << style << " " << d << " " << k;
        EXPECT_EQ(data->facePlanes.alpha[k][0], 0) << style << " " << d << " " << k;
        EXPECT_EQ(data->facePlanes.red[0][k], kUntouched) << style << " " << d << " " << k;
        lastRowAlpha += data->facePlanes.alpha[d - 1][k];
        lastColumnAlpha += data->facePlanes.alpha[k][d - 1];
      }
      // Where the outline reaches the full radius, the last row and column show.
      if (style == 0 || style > 7) {
        EXPECT_GT(lastRowAlpha, 0) << style << " " << d;
        EXPECT_GT(lastColumnAlpha, 0) << style << " " << d;
      }
    }
  }
}

TEST(FaceSynthesis, TransparencyScalesEveryAlphaBeforeRounding)
{
  for (int style : {0, 6, 12}) {
    const auto opaque = UniformFace(166, style, 0);
    const auto half = UniformFace(166, style, 25);
    const auto clear = UniformFace(166, style, 50);
    for (int w = 0; w < 166; ++w) {
      for (int c = 0; c < 166; ++c) {
        ASSERT_EQ(clear->facePlanes.alpha[w][c], 0) << style << " " << w << "," << c;
        // Round(a / 2) of an unrounded a lies within one of half the rounded value.
        ASSERT_LE(std::abs(2 * half->facePlanes.alpha[w][c] - opaque->facePlanes.alpha[w][c]), 2) << w << "," << c;
        ASSERT_EQ(half->facePlanes.red[w][c], opaque->facePlanes.red[w][c]);
        ASSERT_EQ(clear->facePlanes.blue[w][c], opaque->facePlanes.blue[w][c]);
      }
    }
  }
}

TEST(FaceSynthesis, SmallerDiameterLeavesEntriesBeyondItsSquare)
{
  auto data = UniformFace(220, 2, 0);
  const auto largeRun = std::make_unique<FacePlanes>(data->facePlanes);
  const FacePlanes& large = *largeRun;
  data->geometry.diameter = 70;
  data->faceSurface.SetSurfaceWidth(70);
  data->faceSurface.SetSurfaceHeight(70);
  FillSurface(data->faceSurface, 1, 2, 3);
  ComputeFacePlanes(*data);
  int changedInside = 0;
  for (int w = 0; w < 251; ++w) {
    for (int c = 0; c < 251; ++c) {
      if (w < 70 && c < 70) {
        changedInside += data->facePlanes.alpha[w][c] != large.alpha[w][c] || data->facePlanes.red[w][c] != large.red[w][c];
        continue;
      }
      ASSERT_EQ(At(data->facePlanes, w, c), At(large, w, c)) << w << "," << c;
    }
  }
  EXPECT_GT(changedInside, 0);

  // Back to the larger size: every entry of its square is rewritten.
  data->geometry.diameter = 220;
  data->faceSurface.SetSurfaceWidth(220);
  data->faceSurface.SetSurfaceHeight(220);
  FillSurface(data->faceSurface, 100, 150, 200);
  ComputeFacePlanes(*data);
  auto expectedRun = std::make_unique<FacePlanes>(large);
  FacePlanes& expected = *expectedRun;
  for (int w = 0; w < 70; ++w)
    for (int c = 0; c < 70; ++c)
      if (large.alpha[w][c] == 0 && large.red[w][c] == kUntouched) {
        // outside the face: alpha 0, the colours left by the 70 run
        expected.red[w][c] = data->facePlanes.red[w][c];
        expected.green[w][c] = data->facePlanes.green[w][c];
        expected.blue[w][c] = data->facePlanes.blue[w][c];
      }
  EXPECT_EQ(FirstDifference(data->facePlanes, expected), -1);
}

TEST(FaceSynthesis, SquareStaysInsideASmallerSurface)
{
  auto data = NewClock();
  FillPlanes(data->facePlanes, kUntouched, kUntouched, kUntouched, kUntouched);
  data->geometry.diameter = 100;
  data->faceSurface.SetSurfaceWidth(40);
  data->faceSurface.SetSurfaceHeight(30);
  FillSurface(data->faceSurface, 10, 20, 30);
  ComputeFacePlanes(*data);
  EXPECT_EQ(data->facePlanes.red[29][39], 10);
  EXPECT_EQ(data->facePlanes.red[30][39], kUntouched);
  EXPECT_EQ(data->facePlanes.red[29][40], kUntouched);
}

// The optimised face against the plain per-pixel formulas, for every size step and dial style,
// each size computed cold and then again with the same shape and another surface and transparency.
class FaceAgainstReference : public testing::TestWithParam<int> {};

TEST_P(FaceAgainstReference, WholePlanesMatchForEverySize)
{
  const int style = GetParam();
  auto data = NewClock();
  auto expectedRun = std::make_unique<FacePlanes>();
  FacePlanes& expected = *expectedRun;
  FillPlanes(data->facePlanes, kUntouched, kUntouched, kUntouched, kUntouched);
#if defined(__SANITIZE_ADDRESS__)
  constexpr int kStepStride = 7;  // the sanitiser build only checks bounds on a sample
#elif defined(TICKORA_EMULATED)
  constexpr int kStepStride = 5;  // under the emulator every step takes a minute a style: the styles share them
#else
  constexpr int kStepStride = 1;
#endif
  for (int step = (style + 1) % kStepStride; step <= 50; step += kStepStride) {
    const int d = 3 * step + 70;
    for (int pass = 0; pass < 2; ++pass) {
      const int transparency = ((step + pass) % 3) * 25;
      data->geometry.diameter = d;
      data->settings.dialStyle = style;
      data->settings.transparency = transparency;
      data->faceSurface.SetSurfaceWidth(d);
      data->faceSurface.SetSurfaceHeight(d);
      FillPattern(data->faceSurface, static_cast<std::uint32_t>(step * 2 + pass));
      expected = data->facePlanes;
      reference::Face(data->faceSurface, d, style, transparency, expected);
      ComputeFacePlanes(*data);
      const int at = FirstDifference(data->facePlanes, expected);
      ASSERT_EQ(at, -1) << "style " << style << " step " << step << " T " << transparency << " row " << at / 251
                        << " column " << at % 251 << ": alpha " << data->facePlanes.alpha[at / 251][at % 251]
                        << " expected " << expected.alpha[at / 251][at % 251];
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DialStyles, FaceAgainstReference, testing::Range(-1, 23));
