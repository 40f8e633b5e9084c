#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>

#include "platform/qt/SettingsSlider.h"
#include "tests/qt/SettingsWindowRig.h"

namespace {
void PressAndRelease(QWidget* widget, Qt::Key key)
{
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QCoreApplication::sendEvent(widget, &release);
}

using Log = std::vector<std::string>;

Log Repeat(const Log& once, int times)
{
  Log all;
  for (int i = 0; i < times; ++i)
    all.insert(all.end(), once.begin(), once.end());
  return all;
}
}  // namespace

TEST(SettingsHandlers, EachSliderStoresItsPositionAndRerunsOnlyItsSynthesis)
{
  // A key press steps once and its release reports once more: the handler runs twice.
  const struct {
    const char* slider;
    std::int32_t ClockSettings::*setting;
    std::int32_t before, after;
    Log work;
  } cases[] = {
      {"TrackBar1", &ClockSettings::sizeStep, 32, 33, {"client 169x169", "images"}},
      {"TrackBar2", &ClockSettings::skin, 14, 15, {"images", "numerals"}},
      {"TrackBar3", &ClockSettings::dialStyle, 11, 12, {"images", "numerals"}},
      {"TrackBar4", &ClockSettings::transparency, 50, 50, {"images"}},  // already at the end: still runs
      {"TrackBar5", &ClockSettings::handWidth, 3, 4, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slider);
    SettingsRig rig;
    SettingsWindow& form = rig.Create(ClockSettings{});
    rig.log.clear();
    auto* slider = form.findChild<SettingsSlider*>(QString::fromLatin1(c.slider));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(rig.data->settings.*c.setting, c.before);
    PressAndRelease(slider, Qt::Key_Right);
    EXPECT_EQ(rig.data->settings.*c.setting, c.after);
    EXPECT_EQ(slider->value(), c.after);
    EXPECT_EQ(rig.log, Repeat(c.work, 2));
  }
}

TEST(SettingsHandlers, EveryScrollActionRunsTheHandlerAndProgramSetPositionsDoNot)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  rig.log.clear();

  form.TrackBar2->triggerAction(QAbstractSlider::SliderPageStepSub);  // 14 -> 12
  EXPECT_EQ(rig.data->settings.skin, 12);
  form.TrackBar2->triggerAction(QAbstractSlider::SliderToMinimum);
  form.TrackBar2->triggerAction(QAbstractSlider::SliderSingleStepSub);  // no movement at the minimum
  EXPECT_EQ(rig.data->settings.skin, 1);
  EXPECT_EQ(rig.Count("images"), 3);
  EXPECT_EQ(rig.Count("numerals"), 3);

  // Auto-repeated key releases do not end the key action.
  QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(form.TrackBar2, &repeated);
  EXPECT_EQ(rig.Count("images"), 3);

  form.TrackBar2->setValue(9);  // the program moving a slider is not a scroll
  EXPECT_EQ(rig.Count("images"), 3);
  EXPECT_EQ(rig.data->settings.skin, 1);
}

TEST(SettingsHandlers, MouseReleaseEndsAPageRepeatWithOneMoreRun)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  form.show();
  rig.log.clear();
  SettingsSlider* slider = form.TrackBar4;  // transparency 50 at the right end; click the far left
  QStyleOptionSlider option;
  option.initFrom(slider);
  option.orientation = slider->orientation();
  option.minimum = slider->minimum();
  option.maximum = slider->maximum();
  option.sliderPosition = slider->sliderPosition();
  option.sliderValue = slider->value();
  option.tickPosition = slider->tickPosition();
  option.subControls = QStyle::SC_All;
  const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
  const QPointF at(groove.left() + 1, groove.center().y());
  QMouseEvent press(QEvent::MouseButtonPress, at, slider->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, slider->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(slider, &press);
  const int afterPress = rig.Count("images");
  EXPECT_GE(afterPress, 1);
  EXPECT_LT(rig.data->settings.transparency, 50);
  QCoreApplication::sendEvent(slider, &release);
  EXPECT_EQ(rig.Count("images"), afterPress + 1);
  EXPECT_EQ(rig.data->settings.transparency, slider->value());
}

TEST(SettingsHandlers, CheckBoxesStoreOneOrZeroAndNothingElse)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  rig.log.clear();
  const struct {
    QCheckBox* box;
    std::int32_t ClockSettings::*setting;
  } cases[] = {{form.CheckBox1, &ClockSettings::showSeconds}, {form.CheckBox2, &ClockSettings::showNumerals}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box->objectName().toStdString());
    c.box->click();
    EXPECT_EQ(rig.data->settings.*c.setting, 0);
    c.box->click();
    EXPECT_EQ(rig.data->settings.*c.setting, 1);
  }
  EXPECT_TRUE(rig.log.empty());
}

TEST(SettingsHandlers, SaveWritesAllNineValuesAndKeepsTheWindowOpen)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{}, true);
  PressAndRelease(form.TrackBar3, Qt::Key_Home);
  form.CheckBox2->click();
  rig.data->settings.left = -12;  // the clock's last recorded place, off the left edge
  rig.data->settings.top = 345;
  form.Button1->click();

  SettingsStore reread = IniSettingsStore(rig.storePath);
  ClockSettings loaded;
  loaded.sizeStep = 0;
  reread.LoadSettings(loaded, ScreenRect{0, 0, 1920, 1080});
  EXPECT_FALSE(reread.firstStart());
  EXPECT_EQ(loaded, rig.data->settings);
  EXPECT_EQ(loaded.dialStyle, 0);
  EXPECT_EQ(loaded.showNumerals, 0);
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.form().trayIcon().isAdded());  // the first start's icon stays
}

TEST(SettingsHandlers, CancelAndTheCloseBoxHideTheWindowAndAddTheIcon)
{
  for (const bool useCloseBox : {false, true}) {
    SCOPED_TRACE(useCloseBox ? "close box" : "Cancel");
    SettingsRig rig;
    SettingsWindow& form = rig.Create(ClockSettings{});
    form.form().OptionsClick();
    ASSERT_TRUE(form.isVisible());
    ASSERT_FALSE(form.form().trayIcon().isAdded());
    const ClockSettings before = rig.data->settings;
    if (useCloseBox)
      EXPECT_TRUE(!form.close());  // refused: the window only hides
    else
      form.Button2->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.form().trayIcon().isAdded());
    EXPECT_EQ(rig.data->settings, before);
    EXPECT_FALSE(QFile::exists(rig.storePath));  // nothing written
  }
}

namespace {
// Runs the event loop for a while, as a user waits.
void WaitMs(int ms)
{
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}
}  // namespace

// A window manager taking a new window over may mark it iconic for a moment (kwin does when another
// program has the focus); only the user's minimise of a settled window goes to the tray.
TEST(SettingsHandlers, OnlyTheUsersMinimiseGoesToTheTray)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  form.form().OptionsClick();
  ASSERT_TRUE(form.isVisible());
  form.setWindowState(Qt::WindowMinimized);  // the window manager's passing state
  QCoreApplication::processEvents();
  form.setWindowState(Qt::WindowNoState);
  WaitMs(1000);
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.form().trayIcon().isAdded());

  // Settled: the user's minimise sends it to the tray, and the icon brings it back.
  form.setWindowState(Qt::WindowMinimized);
  QCoreApplication::processEvents();
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(form.form().trayIcon().isAdded());
  form.form().OptionsClick();
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.isMinimized());

  // Left iconic by the window manager after the user asked to see it: brought back once settled.
  form.form().Button2Click();
  form.form().OptionsClick();
  form.setWindowState(Qt::WindowMinimized);
  WaitMs(1000);
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.isMinimized());
  EXPECT_FALSE(form.form().trayIcon().isAdded());
}
