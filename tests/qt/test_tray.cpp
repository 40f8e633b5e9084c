#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include <QPushButton>

#include "platform/qt/Autostart.h"
#include "platform/qt/MenuPictures.h"
#include "platform/qt/ProgramIcon.h"
#include "tests/qt/SettingsWindowRig.h"

// Qt reports clicks on the icon as activation reasons; each stands for the click it ends.
TEST(TrayIcon, ClicksShowTheWindowOpenTheMenuOrDoNothing)
{
  const struct {
    QSystemTrayIcon::ActivationReason reason;
    bool shown, iconAdded, menuOpen;
  } cases[] = {
      {QSystemTrayIcon::Trigger, true, false, false},      {QSystemTrayIcon::DoubleClick, true, false, false},
      {QSystemTrayIcon::Context, false, true, true},       {QSystemTrayIcon::MiddleClick, false, true, false},
      {QSystemTrayIcon::Unknown, false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.reason));
    SettingsRig rig;
    SettingsWindow& form = rig.Create(ClockSettings{});
    emit const_cast<QSystemTrayIcon&>(form.trayIcon().systemTrayIcon()).activated(c.reason);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.isVisible(), c.shown);
    EXPECT_EQ(form.form().trayIcon().isAdded(), c.iconAdded);
    EXPECT_EQ(form.PopupMenu->isVisible(), c.menuOpen);
    form.PopupMenu->hide();
  }
}

TEST(TrayIcon, TipAndPictureAreTheProgramsOwn)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  const QSystemTrayIcon& icon = form.trayIcon().systemTrayIcon();
  EXPECT_EQ(icon.toolTip(), QStringLiteral("Tickora"));
  EXPECT_EQ(icon.icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
            ProgramIconImage(rig.data->pictures));
}

TEST(TrayIcon, MenuHasItsItemsInOrder)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  QList<QAction*> actions = form.PopupMenu->actions();
  ASSERT_EQ(actions.size(), 7);
  EXPECT_EQ(actions[0], form.Options);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("Settings"));
  EXPECT_TRUE(actions[0]->isCheckable());
  EXPECT_EQ(actions.takeAt(1)->text(), QStringLiteral("Add clock"));
  EXPECT_EQ(actions.takeAt(1)->text(), QStringLiteral("Remove this clock"));
  EXPECT_EQ(actions[1], form.StartAtLogin);
  EXPECT_EQ(actions[1]->text(), QStringLiteral("Start at login"));
  EXPECT_TRUE(actions[1]->isCheckable());
  EXPECT_EQ(actions[2], form.LockInPlace);
  EXPECT_EQ(actions[2]->text(), QStringLiteral("Lock in place"));
  EXPECT_TRUE(actions[2]->isCheckable());
  EXPECT_EQ(actions[3], form.HideOverFullScreen);
  EXPECT_EQ(actions[3]->text(), QStringLiteral("Hide over full-screen windows"));
  EXPECT_TRUE(actions[3]->isChecked());
  EXPECT_EQ(actions[4], form.Close1);
  EXPECT_EQ(actions[4]->text(), QStringLiteral("Close"));
  EXPECT_FALSE(actions[4]->icon().isNull());
}

TEST(TrayIcon, StartAtLoginWritesAndRemovesTheEntryAndShowsWhatIsOnDisk)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  const QString& entry = rig.autostartFile;
  auto writeEntry = [&](const QByteArray& contents) {
    QDir().mkpath(QFileInfo(entry).path());
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
  };
  auto openMenu = [&] {
    form.form().TrayMessage(TrayClick::RightButtonUp, {10, 10});
    form.PopupMenu->hide();
  };
  const struct {
    const char* step;
    std::function<void()> act;
    bool checked, exists;
  } steps[] = {
      {"at the start", [] {}, false, false},
      {"chosen", [&] { form.StartAtLogin->trigger(); }, true, true},
      {"chosen again", [&] { form.StartAtLogin->trigger(); }, false, false},
      {"switched off elsewhere, menu opened", [&] { writeEntry("[Desktop Entry]\nHidden=true\n"); openMenu(); },
       false, true},
      {"chosen over the switched-off entry", [&] { form.StartAtLogin->trigger(); }, true, true},
      {"removed elsewhere, menu opened", [&] { QFile::remove(entry); openMenu(); }, false, false},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    s.act();
    EXPECT_EQ(form.StartAtLogin->isChecked(), s.checked);
    EXPECT_EQ(QFile::exists(entry), s.exists);
  }
  // The entry starts the program that wrote it.
  form.StartAtLogin->trigger();
  QFile file(entry);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray exec = "\nExec=" + AutostartEntry::ExecValue(QCoreApplication::applicationFilePath()).toUtf8() + "\n";
  EXPECT_TRUE(file.readAll().contains(exec));
  EXPECT_EQ(rig.Count("quit"), 0);
  EXPECT_FALSE(form.isVisible());
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
  EXPECT_EQ(rig.log, std::vector<std::string>{"error: Cannot make the folder \"" + rig.dir.path().toStdString() +
                                              "/blocked/autostart\" for starting at login."});
}

TEST(TrayIcon, SettingsItemFlipsItsMarkBeforeShowingTheWindow)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  bool checkedWhenShown = false;
  QObject::connect(form.Options, &QAction::triggered, &form, [&] { checkedWhenShown = form.Options->isChecked(); });
  for (const bool expected : {true, false}) {
    SCOPED_TRACE(expected);
    form.Button2->click();
    form.Options->trigger();
    EXPECT_EQ(form.Options->isChecked(), expected);
    EXPECT_EQ(checkedWhenShown, expected);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.form().trayIcon().isAdded());
  }
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
