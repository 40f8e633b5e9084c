#include <gtest/gtest.h>

#include <memory>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTime>
#include <QTimer>

#include "Clocks/ClockData.h"
#include "FullScreen/ClockTick.h"
#include "FullScreen/TForm1.h"
#include "model/SettingsStore.h"
#include "platform/settings/IniSettingsBackend.h"
#include "platform/WindowShape.h"
#include "platform/WindowSystem.h"
#include "ShellTestSupport.h"

namespace {

// A clock window over its own data and a temporary XDG config directory; messages are recorded.
struct ClockRig {
  QTemporaryDir dir;
  QByteArray savedConfigHome = qgetenv("XDG_CONFIG_HOME");
  std::unique_ptr<ClockData> data = std::make_unique<ClockData>();
  std::unique_ptr<SettingsStore> store;
  QStringList errors;
  QStringList notices;
  std::unique_ptr<TForm1> window;

  ClockRig()
  {
    EnsureApplication();
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
  }
  ~ClockRig()
  {
    window.reset();
    if (savedConfigHome.isNull())
      qunsetenv("XDG_CONFIG_HOME");
    else
      qputenv("XDG_CONFIG_HOME", savedConfigHome);
  }
  QString confPath() const { return dir.filePath("Tickora/Tickora.conf"); }
  void Store(const QByteArray& text)
  {
    QDir().mkpath(dir.filePath("Tickora"));
    QFile file(confPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  TForm1& Create(const QString& storePath = {})
  {
    store = std::make_unique<SettingsStore>(storePath.isEmpty() ? IniSettingsStore() : IniSettingsStore(storePath));
    UserMessages messages;
    messages.error = [this](const QString& text) { errors.append(text); };
    messages.notice = [this](const QString& text) { notices.append(text); };
    window = std::make_unique<TForm1>(*data, *store, messages);
    QCoreApplication::processEvents();
    return *window;
  }
  QByteArray StoredText() const
  {
    QFile file(confPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

// Asks for a move and lets the window system report it, as the tick reads only reported places.
void MoveTo(QWidget& w, int x, int y)
{
  w.move(x, y);
  QCoreApplication::processEvents();
}

void SendMouse(QWidget& w, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons)
{
  const QPointF global = QPointF(w.mapToGlobal(local));
  QMouseEvent event(type, QPointF(local), global, button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &event);
}

}  // namespace

TEST(ClockWindow, FirstStartShowsACentredFramelessTopMostClock)
{
  ClockRig rig;
  TForm1& w = rig.Create();
  const QRect primary = PrimaryScreenRect();
  const ClockSettings expected = FirstStartSettings({primary.x(), primary.y(), primary.width(), primary.height()});

  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), "Tickora");
  const Qt::WindowFlags flags = w.windowFlags();
  EXPECT_TRUE(flags & Qt::FramelessWindowHint);
  EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);  // no taskbar entry
  EXPECT_TRUE(w.testAttribute(Qt::WA_TranslucentBackground));
  // Created at the odd diameter, set to D x D by the first frame.
  EXPECT_EQ(w.size(), QSize(166, 166));
  EXPECT_EQ(w.presentedFrame().size(), QSize(166, 166));
  EXPECT_EQ(w.pos(), QPoint(expected.left, expected.top));
  EXPECT_EQ(rig.data->settings, expected);
  EXPECT_TRUE(rig.store->firstStart());
  EXPECT_EQ(rig.StoredText(), "[General]\nSize=32\nAlgoritm=14\nClock_F=11\nClock_FF=50\nSeconds=1\n"
                              "Arrows_Width=3\nDig_On_Off=1\nLeft=" + QByteArray::number(expected.left) +
                              "\nTop=" + QByteArray::number(expected.top) + "\n");
  EXPECT_TRUE(rig.errors.isEmpty()) << rig.errors.join("|").toStdString();
  EXPECT_TRUE(rig.notices.isEmpty()) << rig.notices.join("|").toStdString();
  EXPECT_TRUE(w.timer().isActive());
  EXPECT_EQ(w.timer().interval(), kRestInterval);

  // Only the drawn pixels take the mouse.
  QRegion drawn;
  for (const QRect& run : OpaqueRuns(w.presentedFrame()))
    drawn += run;
  EXPECT_FALSE(drawn.isEmpty());
  EXPECT_TRUE((w.mask() ^ drawn).isEmpty());
  EXPECT_LT(drawn.boundingRect().width() * drawn.boundingRect().height(), 166 * 166 + 1);
  EXPECT_FALSE(drawn.contains(QPoint(0, 0)));
}

TEST(ClockWindow, AStoreThatFailsToLoadIsReportedAndTheClockRuns)
{
  ClockRig rig;
  rig.Store("[General]\nSize=0\nAlgoritm=3\nClock_F=20\nSeconds=0\n");
  TForm1& w = rig.Create();
  EXPECT_EQ(rig.errors, QStringList{"Failed to get data for 'Clock_FF'"});
  EXPECT_FALSE(rig.store->firstStart());
  EXPECT_EQ(rig.data->settings.sizeStep, 0);
  EXPECT_EQ(rig.data->settings.dialStyle, 20);
  EXPECT_EQ(rig.data->settings.transparency, 50);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.size(), QSize(70, 70));
  EXPECT_FALSE(w.presentedFrame().isNull());
  EXPECT_TRUE(w.timer().isActive());
  // Nothing is written over the store that failed.
  EXPECT_EQ(rig.StoredText(), "[General]\nSize=0\nAlgoritm=3\nClock_F=20\nSeconds=0\n");
}

TEST(ClockWindow, OutOfRangeStoredValuesStillMakeAWholeClock)
{
  ClockRig rig;
  rig.Store("[General]\nSize=90\nAlgoritm=40\nClock_F=99\nClock_FF=-7\nSeconds=1\nArrows_Width=-3\n"
            "Dig_On_Off=1\nLeft=40\nTop=50\n");
  TForm1& w = rig.Create();
  EXPECT_TRUE(rig.errors.isEmpty()) << rig.errors.join("|").toStdString();
  EXPECT_EQ(w.size(), QSize(220, 220));
  EXPECT_EQ(w.pos(), QPoint(40, 50));
  EXPECT_EQ(rig.data->settings.transparency, 0);
  EXPECT_EQ(rig.data->geometry.secondHand.width, 4);  // hand width 0
}

TEST(ClockWindow, APlaceNoMonitorShowsStartsAtThePrimarysNearestEdge)
{
  EnsureApplication();
  const QRect primary = PrimaryScreenRect();
  const int odd = 167;  // the window's size until the first frame
  const struct {
    QByteArray left, top;
    QPoint expected;
  } cases[] = {
      {"100000", "50", {primary.x() + primary.width() - odd, 50}},
      {"-90000", "-90000", {primary.x(), primary.y()}},
      {"-30", "50", {-30, 50}},  // partly shown: walks back as usual
  };
  for (const auto& c : cases) {
    ClockRig rig;
    rig.Store("[General]\nSize=32\nAlgoritm=14\nClock_F=11\nClock_FF=50\nSeconds=1\nArrows_Width=3\n"
              "Dig_On_Off=1\nLeft=" + c.left + "\nTop=" + c.top + "\n");
    TForm1& w = rig.Create();
    EXPECT_EQ(w.pos(), c.expected) << c.left.toStdString();
    EXPECT_EQ(rig.data->settings.left, c.left.toInt()) << "stored once it has walked back";
  }
}

TEST(ClockWindow, ClosingItThroughTheWindowManagerEndsTheProgram)
{
  ClockRig rig;
  TForm1& w = rig.Create();
  QTimer close;
  close.setSingleShot(true);
  QObject::connect(&close, &QTimer::timeout, &w, &QWidget::close);
  close.start(0);
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  giveUp.start(3000);
  EXPECT_EQ(QCoreApplication::exec(), 0);
}

TEST(ClockWindow, TickWalksBackAndStoresThePlace)
{
  ClockRig rig;
  TForm1& w = rig.Create();
  MoveTo(w, 3, 100);
  w.TimerTimer();
  QCoreApplication::processEvents();
  EXPECT_EQ(w.pos(), QPoint(5, 100));
  EXPECT_EQ(w.windowPosition(), QPoint(5, 100));
  EXPECT_EQ(w.timer().interval(), kReturnInterval);
  EXPECT_EQ(rig.data->settings.left, 5);
  EXPECT_TRUE(rig.StoredText().endsWith("Left=5\nTop=100\n")) << rig.StoredText().toStdString();
  w.TimerTimer();
  EXPECT_EQ(w.timer().interval(), kRestInterval);
  EXPECT_EQ(w.pos(), QPoint(5, 100));
}

TEST(ClockWindow, APositionThatCannotBeStoredIsReportedOnce)
{
  ClockRig rig;
  QFile blocker(rig.dir.filePath("file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  TForm1& w = rig.Create(rig.dir.filePath("file/Tickora.conf"));
  EXPECT_TRUE(rig.errors.isEmpty());  // the first start stores nothing, silently
  MoveTo(w, 40, 40);
  w.TimerTimer();
  MoveTo(w, 60, 40);
  w.TimerTimer();
  EXPECT_EQ(rig.errors, QStringList{"Failed to set data for 'Left'"});
  EXPECT_EQ(rig.data->settings.left, 60);
}

TEST(ClockWindow, APositionErrorDuringADragWaitsForTheButtonRelease)
{
  ClockRig rig;
  QFile blocker(rig.dir.filePath("file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  TForm1& w = rig.Create(rig.dir.filePath("file/Tickora.conf"));
  MoveTo(w, 40, 40);
  SendMouse(w, QEvent::MouseButtonPress, {83, 20}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseMove, {83 + 20, 20}, Qt::NoButton, Qt::LeftButton);
  QCoreApplication::processEvents();
  w.TimerTimer();  // settles at a new place while the button is held
  QCoreApplication::processEvents();
  EXPECT_TRUE(rig.errors.isEmpty()) << "a modal box would end the drag";
  SendMouse(w, QEvent::MouseButtonRelease, {83, 20}, Qt::LeftButton, Qt::NoButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(rig.errors, QStringList{"Failed to set data for 'Left'"});
}

TEST(ClockWindow, AFrameIdenticalToTheOneOnScreenIsNotPresentedAgain)
{
  ClockRig rig;
  TForm1& w = rig.Create();
  for (int attempt = 0; attempt < 5; ++attempt) {
    const QTime before = QTime::currentTime();
    w.Draw();
    const int count = w.presentedCount();
    w.Draw();
    if (QTime::currentTime().second() != before.second())
      continue;  // the second hand moved in between
    EXPECT_EQ(w.presentedCount(), count);
    return;
  }
  FAIL() << "no two frames within one second";
}

TEST(ClockWindow, LeftDragMovesRightClickAndDoubleClickGoToTheirHandlers)
{
  ClockRig rig;
  TForm1& w = rig.Create();
  const QPoint start = w.pos();
  SendMouse(w, QEvent::MouseButtonPress, {83, 20}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseMove, {83 + 50, 20 + 30}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w.pos(), start + QPoint(50, 30));
  SendMouse(w, QEvent::MouseMove, {83 + 10, 20}, Qt::NoButton, Qt::LeftButton);  // window-relative, after the move
  EXPECT_EQ(w.pos(), start + QPoint(60, 30));
  SendMouse(w, QEvent::MouseButtonRelease, {93, 20}, Qt::LeftButton, Qt::NoButton);
  SendMouse(w, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(w.pos(), start + QPoint(60, 30));

  QPoint menuAt;
  int doubleClicks = 0;
  w.SetContextMenuHandler([&](const QPoint& p) { menuAt = p; });
  w.SetDoubleClickHandler([&] { ++doubleClicks; });
  SendMouse(w, QEvent::MouseButtonPress, {30, 40}, Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(menuAt, QPoint());
  SendMouse(w, QEvent::MouseButtonRelease, {30, 40}, Qt::RightButton, Qt::NoButton);
  EXPECT_EQ(menuAt, w.mapToGlobal(QPoint(30, 40)));
  EXPECT_EQ(w.pos(), start + QPoint(60, 30));  // the right button does not drag
  SendMouse(w, QEvent::MouseButtonDblClick, {30, 40}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(doubleClicks, 1);

  // Keys do nothing.
  const ClockSettings before = rig.data->settings;
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &key);
  EXPECT_EQ(w.pos(), start + QPoint(60, 30));
  EXPECT_EQ(rig.data->settings, before);
}

TEST(ClockWindow, SizeSetByTheSettingsWindowIsTakenBackToDByTheNextFrame)
{
  ClockRig rig;
  TForm1& w = rig.Create();
  w.SetClientSize(221, 221);
  EXPECT_EQ(w.size(), QSize(221, 221));
  w.Draw();
  EXPECT_EQ(w.size(), QSize(166, 166));
}
