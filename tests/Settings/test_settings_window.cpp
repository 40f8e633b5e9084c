#include <gtest/gtest.h>

#include "Clocks/ClockData.h"
#include "model/ClockGeometry.h"
#include "tests/Settings/SettingsTestSupport.h"

namespace {
using Log = std::vector<std::string>;
// The settings that leave every slider where the layout puts it.
const ClockSettings kLayout{0, 5, 1, 1, 0, 0, 0, 0, 0};
}  // namespace

TEST(SettingsWindow, EachSliderSetsItsValueAndRerunsItsPartOfTheSynthesis)
{
  const struct {
    int slider, position;
    std::int32_t ClockSettings::*field;
    void (TForm2::*handler)();
    Log work;
  } cases[] = {
      {0, 10, &ClockSettings::sizeStep, &TForm2::TrackBar1Change, {"client 101x101", "images"}},
      {1, 7, &ClockSettings::skin, &TForm2::TrackBar2Change, {"images", "numerals"}},
      {2, 20, &ClockSettings::dialStyle, &TForm2::TrackBar3Change, {"images", "numerals"}},
      {3, 25, &ClockSettings::transparency, &TForm2::TrackBar4Change, {"images"}},
      {4, 9, &ClockSettings::handWidth, &TForm2::TrackBar5Change, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slider);
    SettingsRig rig;
    TForm2& form = rig.Create(kLayout);
    rig.log.clear();
    rig.shell.positions[static_cast<std::size_t>(c.slider)] = c.position;
    (form.*c.handler)();
    EXPECT_EQ(rig.data.settings.*c.field, c.position);
    EXPECT_EQ(rig.log, c.work);
  }
  // The size is set before the synthesis runs, which draws at the new size; the hand width only
  // changes the sizes the next frame draws.
  SettingsRig rig;
  TForm2& form = rig.Create(kLayout);
  rig.shell.positions[0] = 50;
  form.TrackBar1Change();
  EXPECT_EQ(rig.imagesFaceSize, (PixelSize{221, 221}));
  EXPECT_EQ(rig.data.geometry.radius, 110);
  rig.shell.positions[4] = 20;
  form.TrackBar5Change();
  EXPECT_EQ(rig.data.geometry.secondHand, (HandSize{10, 100}));
  EXPECT_EQ(rig.data.geometry.minuteHand, (HandSize{16, 80}));
  EXPECT_EQ(rig.data.geometry.hourHand, (HandSize{21, 60}));
}

TEST(SettingsWindow, SaveWritesAllNineValuesAndErrorsEndTheirHandler)
{
  SettingsRig rig;
  TForm2& form = rig.Create(kLayout, true);
  rig.data.settings.left = -12;  // the clock's last recorded place, off the left edge
  rig.data.settings.top = 34;
  form.Button1Click();
  ClockSettings reread;
  SettingsStore(std::make_unique<FakeBackend>(*rig.clock.backend)).LoadSettings(reread, {0, 0, 1920, 1080});
  EXPECT_EQ(reread, rig.data.settings);
  EXPECT_TRUE(rig.shell.visible);

  rig.clock.backend->refuseAt = 0;
  form.Button1Click();
  rig.failImages = true;
  rig.shell.positions[1] = 9;
  form.TrackBar2Change();
  const Log expected = {"error: Failed to set data for 'Size'", "images",
                        "error: Index of the scanning line exceeded the range. (7)"};
  EXPECT_EQ(rig.log, expected);  // the numerals did not run after the failure
  EXPECT_EQ(rig.data.settings.skin, 9);
}

TEST(SettingsWindow, TrayClicksAndMenuItemsShowHideAndEndTheProgram)
{
  const struct {
    const char* what;
    std::function<void(TForm2&)> act;
    bool visible, iconAdded, optionsMark;
    Log log;
  } cases[] = {
      {"left button up", [](TForm2& f) { f.TrayMessage(TrayClick::LeftButtonUp, {300, 200}); }, true, false, false, {}},
      {"double click", [](TForm2& f) { f.TrayMessage(TrayClick::DoubleClick, {300, 200}); }, true, false, false, {}},
      {"right button up", [](TForm2& f) { f.TrayMessage(TrayClick::RightButtonUp, {300, 200}); }, false, true, false,
       {"menu 300,200"}},
      {"Settings", [](TForm2& f) { f.MenuChosen(MenuItem::Options); }, true, false, true, {}},
      {"Settings twice", [](TForm2& f) { f.MenuChosen(MenuItem::Options); f.MenuChosen(MenuItem::Options); }, true,
       false, false, {}},
      {"Cancel", [](TForm2& f) { f.OptionsClick(); f.Button2Click(); }, false, true, false, {}},
      {"the close box", [](TForm2& f) { f.OptionsClick(); f.FormClose(); }, false, true, false, {}},
      // Ends the program without saving, the window shown and the icon gone as it goes.
      {"Close", [](TForm2& f) { f.MenuChosen(MenuItem::Close1); }, true, false, false, {"quit"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsRig rig;
    TForm2& form = rig.Create(kLayout);
    rig.shell.positions[1] = 7;  // a change not saved
    c.act(form);
    EXPECT_EQ(rig.shell.visible, c.visible);
    EXPECT_EQ(form.trayIcon().isAdded(), c.iconAdded);
    EXPECT_EQ(rig.shell.iconShown, c.iconAdded);
    EXPECT_EQ(rig.shell.marks[MenuItem::Options], c.optionsMark);
    EXPECT_EQ(rig.log, c.log);
    EXPECT_TRUE(rig.clock.backend->written.empty());
  }
}

TEST(SettingsWindow, StartAtLoginFollowsTheEntryAsItStands)
{
  SettingsRig rig;
  TForm2& form = rig.Create(kLayout);
  const struct {
    const char* step;
    std::function<void()> act;
    bool entry, mark;
    Log log;
  } steps[] = {
      {"at the start", [] {}, false, false, {}},
      {"chosen", [&] { form.MenuChosen(MenuItem::StartAtLogin); }, true, true, {}},
      {"switched off elsewhere, the menu opened", [&] {
         rig.shell.startAtLogin = false;
         form.TrayMessage(TrayClick::RightButtonUp, {1, 2});
       }, false, false, {"menu 1,2"}},
      {"chosen again", [&] { form.MenuChosen(MenuItem::StartAtLogin); }, true, true, {"menu 1,2"}},
      {"chosen once more", [&] { form.MenuChosen(MenuItem::StartAtLogin); }, false, false, {"menu 1,2"}},
      {"refused", [&] {
         rig.shell.startAtLoginFails = true;
         form.MenuChosen(MenuItem::StartAtLogin);
       }, false, false, {"menu 1,2", "error: Cannot make the folder \"/x/autostart\" for starting at login."}},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    s.act();
    EXPECT_EQ(rig.shell.startAtLogin, s.entry);
    EXPECT_EQ(rig.shell.marks[MenuItem::StartAtLogin], s.mark);
    EXPECT_EQ(rig.log, s.log);
  }
}

// While no tray shows the icon, the clock offers the tray's menu (right click) and window (double
// click) itself; a tray that comes later takes the icon, and the clock's own offers end.
TEST(SettingsWindow, WithoutATrayTheClockOffersTheMenuAndTheWindow)
{
  const struct {
    const char* what;
    bool available, refuses, clockOffers;
  } cases[] = {
      {"a tray", true, false, false},
      {"no tray", false, false, true},
      {"a tray that refuses the icon", true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsRig rig;
    rig.shell.trayAvailable = c.available;
    rig.shell.trayRefuses = c.refuses;
    rig.Create(kLayout);
    EXPECT_EQ(rig.shell.iconShown, !c.clockOffers);
    rig.clockForm->RightButtonUp({100, 120});
    EXPECT_EQ(rig.Count("menu 100,120"), c.clockOffers ? 1 : 0);
    rig.clockForm->DoubleClick();
    EXPECT_EQ(rig.shell.visible, c.clockOffers);
    rig.form->Button2Click();

    // The tray comes (back): the icon is added again and takes the clicks from the clock.
    rig.shell.trayAvailable = true;
    rig.shell.trayRefuses = false;
    rig.form->TrayChanged(true);
    EXPECT_TRUE(rig.shell.iconShown);
    rig.clockForm->RightButtonUp({100, 120});
    EXPECT_EQ(rig.Count("menu 100,120"), c.clockOffers ? 1 : 0);
  }
}

// "Lock in place" lets every click through and is stored at once; a second start shows the window and
// unlocks only a clock that no tray icon could unlock.
TEST(SettingsWindow, LockInPlaceAndASecondStart)
{
  for (const bool tray : {true, false}) {
    SCOPED_TRACE(tray);
    SettingsRig rig;
    rig.shell.trayAvailable = tray;
    TForm2& form = rig.Create(kLayout);
    form.MenuChosen(MenuItem::LockInPlace);
    EXPECT_TRUE(rig.clock.shell.clickThrough && rig.shell.marks[MenuItem::LockInPlace]);
    rig.clockForm->RightButtonUp({100, 120});  // a click on its way through is not the clock's
    rig.clockForm->DoubleClick();
    EXPECT_EQ(rig.log, Log{});
    form.SecondStart();
    EXPECT_TRUE(rig.shell.visible);
    EXPECT_EQ(rig.clock.shell.clickThrough, tray);
    EXPECT_EQ(rig.shell.marks[MenuItem::LockInPlace], tray);
    EXPECT_EQ(rig.clock.backend->written.back(), tray ? "Lock_In_Place=1" : "Lock_In_Place=0");
  }
}

TEST(SettingsWindow, TheTrayIconFollowsTheTrayAndAddAndRemoveAreIdempotent)
{
  std::vector<std::string> log;
  FakeSettingsShell shell(log);
  shell.trayAvailable = false;
  TrayIcon icon(shell);
  const struct {
    const char* step;
    std::function<void()> act;
    bool added, shown;
  } steps[] = {
      {"added without a tray", [&] { icon.Add(); }, true, false},
      {"a tray comes", [&] { shell.trayAvailable = true; icon.TrayChanged(false); }, true, true},
      {"the taskbar made anew", [&] { shell.iconShown = false; icon.TrayChanged(true); }, true, true},
      {"the tray goes", [&] { shell.trayAvailable = false; icon.TrayChanged(false); }, true, false},
      {"removed", [&] { icon.Remove(); }, false, false},
      {"a tray comes while not wanted", [&] { shell.trayAvailable = true; icon.TrayChanged(false); }, false, false},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    s.act();
    EXPECT_EQ(icon.isAdded(), s.added);
    EXPECT_EQ(shell.iconShown, s.shown);
    EXPECT_EQ(icon.isShown(), s.shown);
  }
}
