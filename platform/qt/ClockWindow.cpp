#include "platform/qt/ClockWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTime>
#include <QWindow>

#include "model/ClockGeometry.h"
#include "platform/qt/QtGeometry.h"
#include "platform/qt/QtRaster.h"
#include "platform/qt/ScreenSpace.h"
#include "platform/qt/WindowSystem.h"

namespace {
constexpr char kWindowText[] = "Tickora";
constexpr char kNoTranslucency[] = "The display offers no visual with per-pixel alpha for a translucent window";
constexpr int kMoveWatchInterval = 50;  // ms
}  // namespace

ClockWindow::ClockWindow(ClockData& data, SettingsStore& store, UserMessages messages, ClockCompany* company,
                         QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      form_(data, store, *this, std::move(messages), company),
      ownTimer_(company ? nullptr : std::make_unique<TickTimer>()),
      ticks_(company ? company->schedule() : ownTimer_->schedule(), [this] { form_.TimerTimer(); }, kSecondInterval)
{
  setWindowTitle(QString::fromLatin1(kWindowText));
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);
  if (presenter_.usable())
    setAttribute(Qt::WA_PaintOnScreen);
  moveWatch_.setInterval(kMoveWatchInterval);
  connect(&moveWatch_, &QTimer::timeout, this, [this] {
    if (LeftButtonHeld())
      return;
    moveWatch_.stop();
    gesture_.Cancel();
  });

  shape_.SetSources([this] { return FrameView(form_.frame()); }, [this]() -> const ClickMask& { return form_.clicks(); });
  shape_.SetCompositing(*this, watches_.compositing());

  form_.FormCreate();
  if (!HasPerPixelAlpha(*this))
    form_.NoticeLater(SystemMessageText(kNoTranslucency));
  SetHidden(false);
  // A clock added while a full-screen window is active: no change is coming to tell it.
  if (const std::optional<PixelRect> covered = watches_.fullScreen())
    form_.ActiveWindowChanged(covered);
  WatchScreens();
}

void ClockWindow::WatchScreens()
{
  const auto watch = [this](QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, [this] { form_.Wake(); });
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this] { form_.Wake(); });
  };
  for (QScreen* screen : QGuiApplication::screens())
    watch(screen);
  connect(qGuiApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
    watch(screen);
    form_.Wake();
  });
  connect(qGuiApp, &QGuiApplication::screenRemoved, this, [this] { form_.Wake(); });
  connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, [this] { form_.Wake(); });
}

void ClockWindow::SetHidden(bool hidden)
{
  if (hidden) {
    // Shown again when the full-screen window goes, it leaves the keyboard focus where it is.
    setAttribute(Qt::WA_ShowWithoutActivating);
    hide();
    return;
  }
  // The window manager forgets a hidden window's states.
  KeepOffTaskbar(*this);
  ManagedOnWeston(*this);
  ShowOnEveryDesktop(*this);
  show();
  ShowOnEveryDesktop(*this);
  // Qt writes its own size hints as it maps the window, after the Show event.
  KeepDeviceSize(*this, DeviceSize());
}

QImage ClockWindow::presentedFrame() const
{
  return FrameView(form_.frame());
}

QImage ClockWindow::Frame() const
{
  QImage frame = FrameView(form_.frame());
  frame.setDevicePixelRatio(static_cast<qreal>(DeviceScale()));
  return frame;
}

PixelRect ClockWindow::PrimaryScreen() const
{
  return FromQt(PrimaryScreenRect());
}

std::vector<PixelRect> ClockWindow::Screens() const
{
  std::vector<PixelRect> screens;
  for (const QRect& screen : ScreenRects())
    screens.push_back(FromQt(screen));
  return screens;
}

TimeOfDay ClockWindow::LocalTime() const
{
  const QTime now = QTime::currentTime();
  return {now.hour(), now.minute(), now.second()};
}

PixelPoint ClockWindow::CursorPos() const
{
  return FromQt(QCursor::pos());
}

long double ClockWindow::DeviceScale() const
{
  // Before it is shown the window has no screen of its own yet: the one at its place.
  if (const QWindow* window = windowHandle(); window && window->screen())
    return window->devicePixelRatio();
  const QScreen* screen = QGuiApplication::screenAt(geometry().center());
  return screen ? screen->devicePixelRatio() : devicePixelRatioF();
}

void ClockWindow::Resize(PixelSize size)
{
  // Once the window exists it is sized in X's pixels only: Qt would send its own idea of the place
  // along, which lags behind the window system's where two densities meet.
  if (!KeepDeviceSize(*this, DeviceSize()))
    resize(ToQt(size));
}

QSize ClockWindow::DeviceSize() const
{
  // The frame's own size once there is one of this window's size; before, the size at the scale.
  const DeviceImage& frame = form_.frame();
  const PixelSize logical = form_.size();
  const long double scale = DeviceScale();
  if (!frame.isNull() && frame.width() == DeviceDiameterOf(logical.width, scale))
    return {frame.width(), frame.height()};
  return {DeviceDiameterOf(logical.width, scale), DeviceDiameterOf(logical.height, scale)};
}

void ClockWindow::MoveTo(PixelPoint position)
{
  // Placed in X's pixels by the screen that holds the clock's centre, at that screen's size at once:
  // a window manager holding it to the old size would shrink it back over the border.
  const Placement native = ToNative(ScreenScales(), QRect(ToQt(position), ToQt(form_.size())));
  const QSize device = native.scale == static_cast<qreal>(DeviceScale())
                           ? DeviceSize()
                           : QSize(DeviceDiameterOf(form_.size().width, native.scale),
                                   DeviceDiameterOf(form_.size().height, native.scale));
  if (!PlaceNative(*this, native.topLeft, device))
    move(ToQt(position));
}

bool ClockWindow::Present(const DeviceImage& frame, PixelRect changed, bool resized, const ClickMask& clicks,
                          PixelRect clicksChanged)
{
  const QImage image = FrameView(frame);
  // Only what changed goes to the window system, and from there to the compositor; the shape is in
  // device pixels, as X takes it, and goes first: no pixel the frame takes away catches a click.
  if (resized)
    shape_.Reapply(*this);
  else
    shape_.Update(*this, image, ToQt(changed), clicks, ToQt(clicksChanged));
  if (presenter_.usable()) {
    // Before the native window exists its first Expose brings the whole frame.
    if (testAttribute(Qt::WA_WState_Created))
      presenter_.Put(static_cast<std::uint32_t>(winId()), image, resized ? image.rect() : ToQt(changed));
    return true;
  }
  // Painted at once: a later update would cost the event loop another round.
  if (resized) {
    repaint();
  } else {
    // The logical pixels that hold the changed device pixels.
    const auto s = static_cast<qreal>(DeviceScale());
    const QRectF area(changed.x / s, changed.y / s, changed.width / s, changed.height / s);
    repaint(area.toAlignedRect());
  }
  return true;
}

void ClockWindow::SetClickThrough(bool through)
{
  shape_.SetClickThrough(*this, through);
  gesture_.Cancel();
}

void ClockWindow::SetTimerInterval(int milliseconds)
{
  ticks_.SetInterval(milliseconds);
}

QPaintEngine* ClockWindow::paintEngine() const
{
  return presenter_.usable() ? nullptr : QWidget::paintEngine();
}

void ClockWindow::Later(std::function<void()> task)
{
  QTimer::singleShot(0, this, std::move(task));
}

bool ClockWindow::eventFilter(QObject* watched, QEvent* event)
{
  // Only the window system's own reports say where the window is, and they reach the native window.
  // Read from X itself: where two densities meet, Qt reports some places in the other screen's pixels.
  if (watched == windowHandle() && event->type() == QEvent::Move) {
    const std::optional<QRect> native = NativeGeometry(*this);
    form_.WindowMoved(FromQt(native ? ToLogical(ScreenScales(), *native).topLeft
                                    : static_cast<QMoveEvent*>(event)->pos()));
  }
  return QWidget::eventFilter(watched, event);
}

void ClockWindow::paintEvent(QPaintEvent* event)
{
  if (presenter_.usable()) {
    const QImage frame = FrameView(form_.frame());
    presenter_.Put(static_cast<std::uint32_t>(winId()), frame, frame.rect());
    return;
  }
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QImage frame = Frame();
  const qreal s = frame.devicePixelRatio();
  const QRectF area(event->rect());
  painter.drawImage(area, frame, QRectF(area.topLeft() * s, area.size() * s));
}

void ClockWindow::mousePressEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton) {
    pressedLocal_ = event->position();
    gesture_.Press(FromQt(event->globalPosition().toPoint()), FromQt(pos()), static_cast<std::uint32_t>(event->timestamp()),
                   GestureLimits());
  }
  event->accept();
}

void ClockWindow::mouseMoveEvent(QMouseEvent* event)
{
  if (event->buttons() & Qt::LeftButton) {
    const PointerGesture::Step step = gesture_.Move(FromQt(event->globalPosition().toPoint()));
    // A drag is the window manager's own move, as for a title bar; it has the pointer from here and
    // says nothing when the move ends. Without one the clock moves itself.
    if (step.dragStarted && StartWindowManagerMove(*this, pressedLocal_)) {
      gesture_.HandOver();
      moveWatch_.start();
    } else if (step.place) {
      move(ToQt(*step.place));
    }
  }
  event->accept();
}

void ClockWindow::mouseReleaseEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton) {
    if (const std::optional<PixelPoint> dropped = gesture_.Release(FromQt(event->globalPosition().toPoint())))
      move(ToQt(*dropped));
  } else if (event->button() == Qt::RightButton) {
    form_.RightButtonUp(FromQt(event->globalPosition().toPoint()));
  }
  event->accept();
}

void ClockWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
  // Qt's second press: the gesture decides whether it makes a double click.
  mousePressEvent(event);
}

void ClockWindow::enterEvent(QEnterEvent* event)
{
  form_.PointerEntered();
  QWidget::enterEvent(event);
}

void ClockWindow::leaveEvent(QEvent* event)
{
  form_.PointerLeft();
  QWidget::leaveEvent(event);
}

void ClockWindow::closeEvent(QCloseEvent* event)
{
  // The clock is the main window: closing it through the window manager ends the program as "Close"
  // does, so no hidden copy keeps the lock.
  event->accept();
  QCoreApplication::exit(0);
}

void ClockWindow::keyPressEvent(QKeyEvent* event)
{
  // The clock has no keyboard commands.
  event->accept();
}

void ClockWindow::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  shape_.Reapply(*this);
}

bool ClockWindow::event(QEvent* event)
{
  const bool handled = QWidget::event(event);
  // A new native window starts without a shape.
  if (event->type() == QEvent::WinIdChange || event->type() == QEvent::Show) {
    shape_.Reapply(*this);
    KeepDeviceSize(*this, DeviceSize());
  }
  if (event->type() == QEvent::WinIdChange && windowHandle())
    windowHandle()->installEventFilter(this);
  return handled;
}
