#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>

#include "platform/qt/Autostart.h"
#include "platform/qt/MenuPictures.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/SettingsSlider.h"
#include "tests/qt/SettingsWindowRig.h"

namespace {
using Log = std::vector<std::string>;

void PressAndRelease(QWidget* widget, Qt::Key key)
{
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QCoreApplication::sendEvent(widget, &release);
}

// Runs the event loop for a while, as a user waits.
void WaitMs(int ms)
{
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}
}  // namespace

TEST(SettingsWindow, EachControlReachesItsHandler)
{
  // A key press steps once and its release reports once more: a slider's handler runs twice.
  const struct {
    const char* control;
    std::function<void(SettingsWindow&)> act;
    std::int32_t ClockSettings::*setting;
    std::int32_t after;
    Log work;
  } cases[] = {
      {"TrackBar1", [](SettingsWindow& f) { PressAndRelease(f.TrackBar1, Qt::Key_Right); }, &ClockSettings::sizeStep,
       33, {"images", "images"}},
      {"TrackBar2", [](SettingsWindow& f) { PressAndRelease(f.TrackBar2, Qt::Key_Right); }, &ClockSettings::skin, 15,
       {"images", "numerals", "images", "numerals"}},
      {"TrackBar3", [](SettingsWindow& f) { PressAndRelease(f.TrackBar3, Qt::Key_Right); },
       &ClockSettings::dialStyle, 12, {"images", "numerals", "images", "numerals"}},
      // Already at the end: still runs.
      {"TrackBar4", [](SettingsWindow& f) { PressAndRelease(f.TrackBar4, Qt::Key_Right); },
       &ClockSettings::transparency, 50, {"images", "images"}},
      {"TrackBar5", [](SettingsWindow& f) { PressAndRelease(f.TrackBar5, Qt::Key_Right); },
       &ClockSettings::handWidth, 4, {}},
      {"CheckBox1", [](SettingsWindow& f) { f.CheckBox1->click(); }, &ClockSettings::showSeconds, 0, {}},
      {"CheckBox2", [](SettingsWindow& f) { f.CheckBox2->click(); }, &ClockSettings::showNumerals, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    SettingsRig rig;
    SettingsWindow& form = rig.Create(ClockSettings{});
    rig.log.clear();
    c.act(form);
    EXPECT_EQ(rig.data->settings.*c.setting, c.after);
    EXPECT_EQ(rig.log, c.work);
  }
}

TEST(SettingsWindow, EveryScrollActionRunsTheHandlerAndProgramSetPositionsDoNot)
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

  // Auto-repeated key releases do not end the key action.
  QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(form.TrackBar2, &repeated);
  form.TrackBar2->setValue(9);  // the program moving a slider is not a scroll
  form.CheckBox1->setChecked(false);  // nor is its ticking a box
  EXPECT_EQ(rig.Count("images"), 3);
  EXPECT_EQ(rig.data->settings.skin, 1);
  EXPECT_EQ(rig.data->settings.showSeconds, 1);
}

TEST(SettingsWindow, MouseReleaseEndsAPageRepeatWithOneMoreRun)
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

TEST(SettingsWindow, SaveWritesTheFileAndCancelAndTheCloseBoxHideTheWindow)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{}, true);
  form.Button1->click();
  SettingsStore reread = IniSettingsStore(rig.storePath);
  ClockSettings loaded;
  reread.LoadSettings(loaded, ScreenRect{0, 0, 1920, 1080});
  EXPECT_EQ(loaded, rig.data->settings);
  EXPECT_TRUE(form.isVisible());

  form.Button2->click();
  EXPECT_FALSE(form.isVisible());
  form.Options->trigger();
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.close());  // refused: the window only hides
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(form.form().trayIcon().isAdded());
}

// A window manager taking a new window over may mark it iconic for a moment (kwin does when another
// program has the focus); only the user's minimise of a settled window goes to the tray.
TEST(SettingsWindow, OnlyTheUsersMinimiseGoesToTheTray)
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

TEST(TrayIcon, ClicksOnTheIconAreNamedForTheSettingsWindow)
{
  const struct {
    QSystemTrayIcon::ActivationReason reason;
    bool shown, menuOpen;
  } cases[] = {
      {QSystemTrayIcon::Trigger, true, false},       {QSystemTrayIcon::DoubleClick, true, false},
      {QSystemTrayIcon::Context, false, true},       {QSystemTrayIcon::MiddleClick, false, false},
      {QSystemTrayIcon::Unknown, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.reason));
    SettingsRig rig;
    SettingsWindow& form = rig.Create(ClockSettings{});
    emit const_cast<QSystemTrayIcon&>(form.trayIcon().systemTrayIcon()).activated(c.reason);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.isVisible(), c.shown);
    EXPECT_EQ(form.PopupMenu->isVisible(), c.menuOpen);
    form.PopupMenu->hide();
  }
}

TEST(TrayIcon, TipPictureAndMenuAreTheProgramsOwn)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  const QSystemTrayIcon& icon = form.trayIcon().systemTrayIcon();
  EXPECT_EQ(icon.toolTip(), QStringLiteral("Tickora"));
  EXPECT_EQ(icon.icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
            ProgramIconImage(rig.data->pictures));
  const QList<QAction*> actions = form.PopupMenu->actions();
  ASSERT_EQ(actions.size(), 3);
  const struct {
    QAction* action;
    const char* text;
    bool checkable;
  } items[] = {{form.Options, "Settings", true}, {form.StartAtLogin, "Start at login", true},
               {form.Close1, "Close", false}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(actions[static_cast<qsizetype>(i)], items[i].action);
    EXPECT_EQ(items[i].action->text(), QString::fromLatin1(items[i].text));
    EXPECT_EQ(items[i].action->isCheckable(), items[i].checkable);
  }
  EXPECT_FALSE(form.Close1->icon().isNull());
  rig.log.clear();
  form.Close1->trigger();
  EXPECT_EQ(rig.log, Log{"quit"});
}

TEST(TrayIcon, StartAtLoginWritesAndRemovesTheEntryAndShowsWhatIsOnDisk)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  const QString& entry = rig.autostartFile;
  const struct {
    const char* step;
    std::function<void()> act;
    bool checked, exists;
  } steps[] = {
      {"at the start", [] {}, false, false},
      {"chosen", [&] { form.StartAtLogin->trigger(); }, true, true},
      {"chosen again", [&] { form.StartAtLogin->trigger(); }, false, false},
      {"written elsewhere, the menu opened", [&] {
         QDir().mkpath(QFileInfo(entry).path());
         QFile file(entry);
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         file.write("[Desktop Entry]\nExec=x\n");
         file.close();
         form.form().TrayMessage(TrayClick::RightButtonUp, {10, 10});
         form.PopupMenu->hide();
       }, true, true},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    s.act();
    EXPECT_EQ(form.StartAtLogin->isChecked(), s.checked);
    EXPECT_EQ(QFile::exists(entry), s.exists);
  }
  // The entry starts the program that wrote it.
  form.StartAtLogin->trigger();
  form.StartAtLogin->trigger();
  QFile file(entry);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray exec = "\nExec=" + AutostartEntry::ExecValue(QCoreApplication::applicationFilePath()).toUtf8() + "\n";
  EXPECT_TRUE(file.readAll().contains(exec));
}

TEST(TrayIcon, StartAtLoginThatCannotBeWrittenIsReportedAndStaysUnchecked)
{
  SettingsRig rig;
  // A file where the autostart folder should be.
  QFile blocker(rig.dir.path() + "/blocked");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  rig.autostartFile = rig.dir.path() + "/blocked/autostart/tickora.desktop";
  SettingsWindow& form = rig.Create(ClockSettings{});
  rig.log.clear();
  form.StartAtLogin->trigger();
  EXPECT_FALSE(form.StartAtLogin->isChecked());
  EXPECT_EQ(rig.log, Log{"error: Cannot make the folder \"" + rig.dir.path().toStdString() +
                         "/blocked/autostart\" for starting at login."});
}

TEST(MenuPictures, CloseIsABlackDiagonalCrossOnWhite)
{
  const QImage picture = CloseMenuPicture();
  ASSERT_EQ(picture.size(), QSize(10, 10));
  EXPECT_EQ(picture.depth(), 24);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool onCross = x == y || x == 9 - y;
      EXPECT_EQ(picture.pixel(x, y), onCross ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << x << "," << y;
    }
  }
}

TEST(ProgramIcon, SixteenPixelDiscWithTransparentCorners)
{
  EnsureApplication();
  PictureCache pictures;
  const QImage icon = ProgramIconImage(pictures);
  ASSERT_EQ(icon.size(), QSize(16, 16));
  for (const QPoint corner : {QPoint(0, 0), QPoint(15, 0), QPoint(0, 15), QPoint(15, 15)})
    EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << corner.x() << "," << corner.y();
  for (const QPoint inside : {QPoint(8, 2), QPoint(2, 8), QPoint(13, 8), QPoint(8, 13), QPoint(8, 8)})
    EXPECT_EQ(qAlpha(icon.pixel(inside)), 255) << inside.x() << "," << inside.y();
  // Left-right mirror symmetric outline.
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(qAlpha(icon.pixel(x, y)), qAlpha(icon.pixel(15 - x, y))) << x << "," << y;
}
