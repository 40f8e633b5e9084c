#include <gtest/gtest.h>

#include <climits>

#include "Clocks/BuildClockImages.h"
#include "Clocks/ClockSynthesis.h"
#include "ClockTestData.h"
#include "ReferenceSynthesis.h"

namespace {

std::unique_ptr<ClockData> ClockWith(int sizeStep, int skin, int dial, int transparency)
{
  auto data = NewClock();
  data->settings.sizeStep = sizeStep;
  data->settings.skin = skin;
  data->settings.dialStyle = dial;
  data->settings.transparency = transparency;
  CreateClockResources(*data);
  return data;
}

void ExpectByteRange(const ArgbPlanes& p, const char* what)
{
  for (int row = 0; row < p.rows(); ++row)
    for (int column = 0; column < p.columns(); ++column)
      for (int value : {p.alpha[row][column], p.red[row][column], p.green[row][column], p.blue[row][column]})
        ASSERT_TRUE(value >= 0 && value <= 255) << what << " " << row << "," << column << ": " << value;
}

// What one run must leave, computed plainly from the surfaces the run painted.
struct Expected {
  FacePlanes face;
  MarkerPlanes marker;
  HandPlanes hand;
  Rgb accent;
};

void ExpectReferenceRun(ClockData& data)
{
  // The planes are large: keep them off the stack.
  auto expected = std::make_unique<Expected>();
  Expected& e = *expected;
  e.face = data.facePlanes;
  e.marker = data.markerPlanes;
  e.hand = data.handPlanes;
  e.accent = data.accentColour;
  BuildClockImages(data);
  const ClockSettings& s = data.settings;
  const int d = 3 * s.sizeStep + 70;
  ASSERT_EQ(data.geometry.diameter, d);
  ASSERT_EQ(data.geometry.radius, d / 2);
  ASSERT_EQ(data.faceSurface.width(), d);

  if (s.skin >= 1 && s.skin <= 15)
    e.accent = SkinAccentColours[s.skin];
  if (s.dialStyle >= 8 && s.dialStyle <= 21)
    e.accent = MarkerAccentColours[s.dialStyle];
  reference::Face(data.faceSurface, d, s.dialStyle, s.transparency, e.face);
  if (s.dialStyle < 8) {
    for (int i = 0; i <= 100; ++i)
      for (int g = 0; g <= 15; ++g) {
        e.hand.red[i][g] = e.accent.red;
        e.hand.green[i][g] = e.accent.green;
        e.hand.blue[i][g] = e.accent.blue;
      }
  } else {
    reference::Marker(data.markerSurface, e.marker);
    for (int l = 10; l <= 110; ++l)
      for (int i = 7; i <= 23; ++i) {
        const std::uint8_t* row = data.handTextureSurface.ScanRow(l);
        e.hand.red[l - 10][i - 7] = row[3 * i + 2];
        e.hand.green[l - 10][i - 7] = row[3 * i + 1];
        e.hand.blue[l - 10][i - 7] = row[3 * i];
      }
  }
  reference::ShadeHand(e.hand);

  const std::string what = "step " + std::to_string(s.sizeStep) + " skin " + std::to_string(s.skin) + " dial " +
                           std::to_string(s.dialStyle) + " T " + std::to_string(s.transparency);
  EXPECT_EQ(data.accentColour, e.accent) << what;
  EXPECT_EQ(FirstDifference(data.facePlanes, e.face), -1) << what;
  EXPECT_EQ(FirstDifference(data.markerPlanes, e.marker), -1) << what;
  EXPECT_EQ(FirstDifference(data.handPlanes, e.hand), -1) << what;
}

}  // namespace

// Settings only a damaged store can hold: no write may leave a plane, every value stays a byte.
// Skins and dials without a picture keep these runs independent of the artwork.
TEST(BuildClockImages, StoredValuesOutsideTheRangesStayInsideThePlanes)
{
  const struct { int step, skin, dial, transparency; } cases[] = {
      {61, 0, 3, 0},          {1000, 16, 22, 0},     {INT_MAX, -1, 0, 50},   {-1, 0, 7, 25},
      {-24, 0, 22, 0},        {INT_MIN, 99, 1, 0},   {50, 0, -5, -1000},     {50, 0, 99, 1000},
      {32, 0, INT_MIN, INT_MAX}, {32, 0, INT_MAX, INT_MIN}, {0, INT_MIN, 5, 51}, {20, INT_MAX, 30, -1},
  };
  for (const auto& c : cases) {
    auto data = ClockWith(32, 0, 0, 0);
    data->settings.sizeStep = c.step;
    data->settings.skin = c.skin;
    data->settings.dialStyle = c.dial;
    data->settings.transparency = c.transparency;
    data->geometry.markerWidth = 400;  // the sprite never outgrows its planes
    data->geometry.handExtentX = 90;
    data->geometry.handExtentY = -4;
    BuildClockImages(*data);
    SCOPED_TRACE(testing::Message() << c.step << " " << c.skin << " " << c.dial << " " << c.transparency);
    EXPECT_GE(data->geometry.diameter, 1);
    EXPECT_LE(data->geometry.diameter, 251);
    EXPECT_EQ(data->geometry.handExtentX, 15);
    EXPECT_EQ(data->geometry.handExtentY, 100);
    EXPECT_EQ(data->accentColour, (Rgb{0, 0, 0}));  // no skin or marker picture: the colour stays
    ExpectByteRange(data->facePlanes, "face");
    ExpectByteRange(data->markerPlanes, "marker");
    ExpectByteRange(data->handPlanes, "hand");
  }
}

TEST(BuildClockImages, OutOfRangeTransparencyActsAsTheNearestEnd)
{
  auto clear = ClockWith(32, 0, 2, 50);
  auto beyond = ClockWith(32, 0, 2, 80);
  auto opaque = ClockWith(32, 0, 2, 0);
  auto negative = ClockWith(32, 0, 2, -30);
  for (ClockData* data : {clear.get(), beyond.get(), opaque.get(), negative.get()})
    BuildClockImages(*data);
  EXPECT_EQ(FirstDifference(clear->facePlanes, beyond->facePlanes), -1);
  EXPECT_EQ(FirstDifference(opaque->facePlanes, negative->facePlanes), -1);
}

TEST(BuildClockImages, AccentColourFollowsSkinThenMarker)
{
  auto data = ClockWith(32, 14, 8, 50);
  const struct { int skin, dial; Rgb accent; bool facePainted; } steps[] = {
      {14, 8, {84, 13, 45}, true},     // the marker's colour, not the skin's
      {14, 3, {255, 255, 0}, true},    // back to a shaped style: the skin's again
      {14, 12, {0, 255, 182}, true},   // the face is still painted for a marker style
      {1, 3, {255, 193, 23}, true},
      {1, 11, {101, 0, 59}, true},
      {0, 3, {101, 0, 59}, false},     // no face picture: the colour of the last run stays
      {0, 22, {101, 0, 59}, false},    // no marker picture either
      {9, 22, {84, 13, 45}, true},     // a dial without marker keeps the skin's colour
  };
  for (const auto& s : steps) {
    data->settings.skin = s.skin;
    data->settings.dialStyle = s.dial;
    FillSurface(data->faceSurface, 1, 2, 3);
    BuildClockImages(*data);
    EXPECT_EQ(data->accentColour, s.accent) << s.skin << " " << s.dial;
    if (s.facePainted) {
      // The face picture reaches the surface: the sentinel fill is gone.
      const std::uint8_t* row = data->faceSurface.ScanRow(83);
      EXPECT_FALSE(row[3 * 83] == 3 && row[3 * 83 + 1] == 2 && row[3 * 83 + 2] == 1) << s.skin << " " << s.dial;
    }
  }
}

TEST(BuildClockImages, SecondRunWithTheSameSettingsGivesIdenticalPlanes)
{
  for (int dial : {0, 5, 11, 21}) {
    auto data = ClockWith(32, 14, dial, 25);
    BuildClockImages(*data);
    const auto first = std::make_unique<ClockData>();
    first->facePlanes = data->facePlanes;
    first->markerPlanes = data->markerPlanes;
    first->handPlanes = data->handPlanes;
    BuildClockImages(*data);
    EXPECT_EQ(FirstDifference(data->facePlanes, first->facePlanes), -1) << dial;
    EXPECT_EQ(FirstDifference(data->markerPlanes, first->markerPlanes), -1) << dial;
    EXPECT_EQ(FirstDifference(data->handPlanes, first->handPlanes), -1) << dial;
  }
}

TEST(BuildClockImages, EveryRunStampsANewPlanesGeneration)
{
  auto data = ClockWith(32, 14, 11, 50);
  BuildClockImages(*data);
  const auto first = data->planesGeneration;
  BuildClockImages(*data);
  EXPECT_GT(first, 0u);
  EXPECT_GT(data->planesGeneration, first);
}

TEST(BuildClockImages, MarkerJpegIsDecodedOncePerProcess)
{
  auto data = ClockWith(32, 14, 9, 50);  // Skin02 is a JPEG
  BuildClockImages(*data);
  const int decodes = data->pictures.jpegDecodeCount();
  data->settings.dialStyle = 3;
  BuildClockImages(*data);
  data->settings.dialStyle = 9;
  BuildClockImages(*data);
  EXPECT_EQ(data->pictures.jpegDecodeCount(), decodes);
}

// A walk through settings as the sliders would make them, each run checked whole against the plain
// formulas applied to the surfaces it painted.
TEST(BuildClockImages, RunsMatchTheReferenceAcrossSettingChanges)
{
  auto data = ClockWith(32, 14, 11, 50);
  FillPlanes(data->facePlanes, 7, 7, 7, 7);
#if defined(TICKORA_EMULATED)
  constexpr int kRunStride = 4;  // under the emulator all 160 take a minute and a half
#else
  constexpr int kRunStride = 1;
#endif
  for (int i = 0; i < 160; i += kRunStride) {
    data->settings.sizeStep = (i * 7) % 51;
    data->settings.dialStyle = (i * 5) % 22;
    data->settings.skin = 1 + (i * 4) % 15;
    data->settings.transparency = (i % 3) * 25;
    ExpectReferenceRun(*data);
    if (HasFailure())
      return;
  }
}
