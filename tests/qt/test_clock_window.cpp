#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include "Clocks/ClockData.h"
#include "FullScreen/ClockTick.h"
#include "platform/qt/ClockWindow.h"
#include "model/SettingsStore.h"
#include "platform/qt/IniSettingsBackend.h"
#include "platform/qt/WindowShape.h"
#include "platform/qt/WindowSystem.h"
#include "tests/qt/ShellTestSupport.h"

namespace {

// A clock window over its own data and a temporary XDG config directory; messages are recorded.
struct ClockRig {
  QTemporaryDir dir;
  QByteArray savedConfigHome = qgetenv("XDG_CONFIG_HOME");
  std::unique_ptr<ClockData> data = std::make_unique<ClockData>();
  std::unique_ptr<SettingsStore> store;
  std::vector<std::string> errors;
  std::vector<std::string> notices;
  std::unique_ptr<ClockWindow> window;

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
  ClockWindow& Create(const QString& storePath = {})
  {
    store = std::make_unique<SettingsStore>(storePath.isEmpty() ? IniSettingsStore() : IniSettingsStore(storePath));
    UserMessages messages;
    messages.error = [this](const std::string& text) { errors.push_back(text); };
    messages.notice = [this](const std::string& text) { notices.push_back(text); };
    window = std::make_unique<ClockWindow>(*data, *store, messages);
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
  ClockWindow& w = rig.Create();
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
  EXPECT_TRUE(rig.errors.empty());
  EXPECT_TRUE(rig.notices.empty());
  EXPECT_TRUE(w.timer().isActive());
  EXPECT_EQ(w.tickInterval(), kSecondInterval);

  // Only the drawn pixels take the mouse.
  QRegion drawn;
  for (const QRect& run : OpaqueRuns(w.presentedFrame()))
    drawn += run;
  EXPECT_FALSE(drawn.isEmpty());
  EXPECT_TRUE((w.mask() ^ drawn).isEmpty());
  EXPECT_LT(drawn.boundingRect().width() * drawn.boundingRect().height(), 166 * 166 + 1);
  EXPECT_FALSE(drawn.contains(QPoint(0, 0)));
}

TEST(ClockWindow, ClosingItThroughTheWindowManagerEndsTheProgram)
{
  ClockRig rig;
  ClockWindow& w = rig.Create();
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
  ClockWindow& w = rig.Create();
  w.form().DragStarted();  // the user's drop
  MoveTo(w, 3, 100);
  w.form().DragEnded();
  w.form().TimerTimer();
  QCoreApplication::processEvents();
  EXPECT_EQ(w.pos(), QPoint(5, 100));
  EXPECT_EQ(w.form().position(), (PixelPoint{5, 100}));
  EXPECT_EQ(w.tickInterval(), kReturnInterval);
  EXPECT_EQ(rig.data->settings.left, 5);
  EXPECT_TRUE(rig.StoredText().endsWith("Left=5\nTop=100\n")) << rig.StoredText().toStdString();
  w.form().TimerTimer();
  EXPECT_EQ(w.tickInterval(), kSecondInterval);
  EXPECT_EQ(w.pos(), QPoint(5, 100));
}

TEST(ClockWindow, APositionErrorDuringADragWaitsForTheButtonRelease)
{
  ClockRig rig;
  QFile blocker(rig.dir.filePath("file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  ClockWindow& w = rig.Create(rig.dir.filePath("file/Tickora.conf"));
  MoveTo(w, 40, 40);
  SendMouse(w, QEvent::MouseButtonPress, {83, 20}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseMove, {83 + 20, 20}, Qt::NoButton, Qt::LeftButton);
  QCoreApplication::processEvents();
  w.form().TimerTimer();  // settles at a new place while the button is held
  QCoreApplication::processEvents();
  EXPECT_TRUE(rig.errors.empty()) << "a modal box would end the drag";
  SendMouse(w, QEvent::MouseButtonRelease, {83, 20}, Qt::LeftButton, Qt::NoButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(rig.errors, std::vector<std::string>{"Failed to set data for 'Left'"});
}

TEST(ClockWindow, LeftDragMovesRightClickAndDoubleClickGoToTheirHandlers)
{
  ClockRig rig;
  ClockWindow& w = rig.Create();
  const QPoint start = w.pos();
  SendMouse(w, QEvent::MouseButtonPress, {83, 20}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseMove, {83 + 50, 20 + 30}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w.pos(), start + QPoint(50, 30));
  SendMouse(w, QEvent::MouseMove, {83 + 10, 20}, Qt::NoButton, Qt::LeftButton);  // window-relative, after the move
  EXPECT_EQ(w.pos(), start + QPoint(60, 30));
  // Dropped before any motion brought the clock there: it goes where the button went up.
  SendMouse(w, QEvent::MouseButtonRelease, {83 + 40, 20 - 15}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(w.pos(), start + QPoint(100, 15));
  SendMouse(w, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(w.pos(), start + QPoint(100, 15));

  std::optional<PixelPoint> menuAt;
  int doubleClicks = 0;
  w.form().SetContextMenuHandler([&](PixelPoint p) { menuAt = p; });
  w.form().SetDoubleClickHandler([&] { ++doubleClicks; });
  SendMouse(w, QEvent::MouseButtonPress, {30, 40}, Qt::RightButton, Qt::RightButton);
  EXPECT_FALSE(menuAt);
  SendMouse(w, QEvent::MouseButtonRelease, {30, 40}, Qt::RightButton, Qt::NoButton);
  const QPoint global = w.mapToGlobal(QPoint(30, 40));
  EXPECT_EQ(menuAt, (PixelPoint{global.x(), global.y()}));
  EXPECT_EQ(w.pos(), start + QPoint(100, 15));  // the right button does not drag
  // Qt's second press of a double click comes as its own event.
  SendMouse(w, QEvent::MouseButtonPress, {30, 40}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, {30, 40}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(doubleClicks, 0);
  SendMouse(w, QEvent::MouseButtonDblClick, {30, 40}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(doubleClicks, 1);

  // Keys do nothing.
  const ClockSettings before = rig.data->settings;
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &key);
  EXPECT_EQ(w.pos(), start + QPoint(100, 15));
  EXPECT_EQ(rig.data->settings, before);
}

TEST(ClockWindow, SizeSetByTheSettingsWindowIsTakenBackToDByTheNextFrame)
{
  ClockRig rig;
  ClockWindow& w = rig.Create();
  w.form().SetClientSize(221, 221);
  EXPECT_EQ(w.size(), QSize(221, 221));
  w.form().Draw();
  EXPECT_EQ(w.size(), QSize(166, 166));
  EXPECT_EQ(w.presentedFrame().size(), QSize(166, 166));
}

// The process watches the wall clock, full-screen windows and the compositor once, however many clocks
// come and go; the last one to go closes the watches.
TEST(ClockWindow, ClocksAddedAndRemovedLeaveTheOpenDescriptorsAsTheyWere)
{
  ClockRig rig;
  rig.Create();
  const auto open = [] { return QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(); };
  const qsizetype withOne = open();
  {
    std::vector<ClockData> data(10);
    std::vector<std::unique_ptr<ClockWindow>> added;
    for (ClockData& d : data)
      added.push_back(std::make_unique<ClockWindow>(d, *rig.store, UserMessages{}));
    EXPECT_EQ(open(), withOne);
  }
  EXPECT_EQ(open(), withOne);
  rig.window.reset();
  EXPECT_LT(open(), withOne);
}
