#include <gtest/gtest.h>

#include "tests/Settings/SettingsTestSupport.h"

namespace {
ClockSettings With(std::initializer_list<std::pair<std::int32_t ClockSettings::*, std::int32_t>> changes)
{
  ClockSettings s;
  for (const auto& [member, value] : changes)
    s.*member = value;
  return s;
}
}  // namespace

TEST(SettingsCreation, SlidersTakeTheStoredValuesInRangeAndRerunWhatChanged)
{
  const struct {
    const char* what;
    ClockSettings stored;
    ClockSettings expected;
    int images, numerals;
  } cases[] = {
      // Every default differs from the layout positions 0, 5, 1, 1, 0.
      {"defaults", ClockSettings{}, ClockSettings{}, 4, 2},
      {"layout positions run nothing",
       With({{&ClockSettings::sizeStep, 0}, {&ClockSettings::skin, 5}, {&ClockSettings::dialStyle, 1},
             {&ClockSettings::transparency, 1}, {&ClockSettings::handWidth, 0}}),
       With({{&ClockSettings::sizeStep, 0}, {&ClockSettings::skin, 5}, {&ClockSettings::dialStyle, 1},
             {&ClockSettings::transparency, 1}, {&ClockSettings::handWidth, 0}}),
       0, 0},
      {"skin 0 becomes 1",
       With({{&ClockSettings::sizeStep, 0}, {&ClockSettings::skin, 0}, {&ClockSettings::dialStyle, 1},
             {&ClockSettings::transparency, 1}, {&ClockSettings::handWidth, 0}}),
       With({{&ClockSettings::sizeStep, 0}, {&ClockSettings::skin, 1}, {&ClockSettings::dialStyle, 1},
             {&ClockSettings::transparency, 1}, {&ClockSettings::handWidth, 0}}),
       1, 1},
      {"values above their ranges are capped",
       With({{&ClockSettings::sizeStep, 99}, {&ClockSettings::skin, 40}, {&ClockSettings::dialStyle, 22},
             {&ClockSettings::transparency, 51}, {&ClockSettings::handWidth, 21}}),
       With({{&ClockSettings::sizeStep, 50}, {&ClockSettings::skin, 15}, {&ClockSettings::dialStyle, 21},
             {&ClockSettings::transparency, 50}, {&ClockSettings::handWidth, 20}}),
       4, 2},
      {"values below their ranges meet the minimum",
       With({{&ClockSettings::sizeStep, -40}, {&ClockSettings::skin, -3}, {&ClockSettings::dialStyle, -1},
             {&ClockSettings::transparency, -9}, {&ClockSettings::handWidth, -100}}),
       With({{&ClockSettings::sizeStep, 0}, {&ClockSettings::skin, 1}, {&ClockSettings::dialStyle, 0},
             {&ClockSettings::transparency, 0}, {&ClockSettings::handWidth, 0}}),
       4, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsRig rig;
    rig.Create(c.stored);
    EXPECT_EQ(rig.data.settings, c.expected);
    EXPECT_EQ(rig.Count("images"), c.images);
    EXPECT_EQ(rig.Count("numerals"), c.numerals);
    EXPECT_EQ(rig.shell.positions[0], c.expected.sizeStep);
    EXPECT_EQ(rig.shell.positions[1], c.expected.skin);
    EXPECT_EQ(rig.shell.positions[2], c.expected.dialStyle);
    EXPECT_EQ(rig.shell.positions[3], c.expected.transparency);
    EXPECT_EQ(rig.shell.positions[4], c.expected.handWidth);
  }
}

TEST(SettingsCreation, SliderWorkRunsInSliderOrder)
{
  SettingsRig rig;
  rig.Create(ClockSettings{});
  const std::vector<std::string> expected = {"client 167x167", "images",   "images", "numerals",
                                             "images",         "numerals", "images"};
  EXPECT_EQ(rig.log, expected);
  EXPECT_EQ(rig.data.geometry.oddDiameter, 167);
  EXPECT_EQ(rig.data.geometry.radius, 83);
  EXPECT_EQ(rig.data.geometry.secondHand, (HandSize{5, 100}));
  EXPECT_EQ(rig.data.geometry.minuteHand, (HandSize{8, 80}));
  EXPECT_EQ(rig.data.geometry.hourHand, (HandSize{11, 60}));
}

TEST(SettingsCreation, NegativeSizeAndHandWidthAreBroughtToZeroWithTheirGeometry)
{
  SettingsRig rig;
  rig.Create(With({{&ClockSettings::sizeStep, -30}, {&ClockSettings::handWidth, -60}}));
  EXPECT_EQ(rig.data.settings.sizeStep, 0);
  EXPECT_EQ(rig.data.settings.handWidth, 0);
  EXPECT_EQ(rig.log.front(), "client 71x71");
  EXPECT_EQ(rig.imagesFaceSize, (PixelSize{71, 71}));
  EXPECT_EQ(rig.data.geometry.oddDiameter, 71);
  EXPECT_EQ(rig.data.geometry.radius, 35);
  EXPECT_EQ(rig.data.geometry.secondHand, (HandSize{4, 100}));
  EXPECT_EQ(rig.data.geometry.hourHand, (HandSize{9, 60}));
}

TEST(SettingsCreation, CheckBoxesFollowZeroAndOneOnly)
{
  const struct {
    std::int32_t stored, kept;
    bool checked;
  } cases[] = {{0, 0, false}, {1, 1, true}, {7, 7, false}, {-1, -1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    SettingsRig rig;
    rig.Create(With({{&ClockSettings::showSeconds, c.stored}, {&ClockSettings::showNumerals, c.stored}}));
    EXPECT_EQ(rig.shell.checked[0], c.checked);
    EXPECT_EQ(rig.shell.checked[1], c.checked);
    EXPECT_EQ(rig.data.settings.showSeconds, c.kept);
    EXPECT_EQ(rig.data.settings.showNumerals, c.kept);
  }
}

TEST(SettingsCreation, PlacedAtTheBottomCentreOfThePrimaryScreen)
{
  const struct {
    PixelRect screen;
    PixelPoint place;
  } cases[] = {
      {{0, 0, 1920, 1080}, {770, 717}}, {{0, 0, 1366, 768}, {493, 405}}, {{0, 0, 1025, 768}, {322, 405}},
      {{0, 0, 800, 600}, {210, 237}},
      // A primary monitor right of another, and one below-left of it.
      {{1280, 0, 1280, 1024}, {1730, 661}}, {{-1920, 1080, 1920, 1080}, {-1150, 1797}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.screen.x);
    SCOPED_TRACE(c.screen.width);
    SettingsRig rig;
    rig.Create(ClockSettings{});
    rig.shell.primary = c.screen;  // the monitors change while the window is hidden
    rig.form->OptionsClick();
    rig.shell.primary = {0, 0, 640, 480};  // and again while it is shown, where it stays
    rig.form->OptionsClick();
    EXPECT_EQ(rig.shell.place, c.place);
  }
}

TEST(SettingsCreation, ShownOnlyAtTheFirstStartAndTheIconAddedEitherWay)
{
  for (const bool firstStart : {true, false}) {
    SCOPED_TRACE(firstStart);
    SettingsRig rig;
    TForm2& form = rig.Create(ClockSettings{}, firstStart);
    EXPECT_EQ(rig.shell.visible, firstStart);
    EXPECT_TRUE(form.trayIcon().isAdded());
    EXPECT_TRUE(rig.shell.iconShown);
  }
}
