#include "FullScreen/TForm1.h"

#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTime>
#include <QWindow>

#include "Clocks/BuildClockImages.h"
#include "Clocks/ClockData.h"
#include "Clocks/NumeralSprites.h"
#include "FullScreen/ClockTick.h"
#include "model/ClockGeometry.h"
#include "model/SettingsStore.h"
#include "model/TickoraError.h"
#include "platform/QtGeometry.h"
#include "platform/WindowSystem.h"
#include "platform/raster/QtRaster.h"

namespace {
constexpr char kWindowText[] = "Tickora";
constexpr char kNoTranslucency[] = "The display offers no visual with per-pixel alpha for a translucent window";
}  // namespace

TForm1::TForm1(ClockData& data, SettingsStore& store, UserMessages messages, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      data_(data),
      store_(store),
      messages_(std::move(messages)),
      messagesLater_(messages_.Later(this))
{
  setWindowTitle(QString::fromLatin1(kWindowText));
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);

  // The timer runs with the window; its first tick comes once the event loop runs.
  timer_.setInterval(kRestInterval);
  connect(&timer_, &QTimer::timeout, this, [this] { RunHandler(messages_, [this] { TimerTimer(); }); });
  timer_.start();

  compositor_ = std::make_unique<SelectionWatch>("_NET_WM_CM_S", [this](bool running) {
    shape_.SetCompositing(*this, running);
  });
  shape_.SetCompositing(*this, compositor_->owned());

  // An error ends the creation handler; the window is still shown, and then the box.
  RunHandler(messagesLater_, [this] { FormCreate(); });
  KeepOffTaskbar(*this);
  ShowOnEveryDesktop(*this);
  show();
  ShowOnEveryDesktop(*this);
}

void TForm1::FormCreate()
{
  // A store that cannot be read is reported; the clock starts on what could be read and the defaults.
  try {
    store_.LoadSettings(data_.settings, FromQt(PrimaryScreenRect()));
  } catch (const TickoraError& e) {
    messagesLater_.error(ErrorText(e.what()));
  }
  const std::int32_t clientSize = CreateClockResources(data_);
  SetClientSize(clientSize, clientSize);
  std::vector<PixelRect> screens;
  for (const QRect& screen : ScreenRects())
    screens.push_back(FromQt(screen));
  windowPos_ = ToQt(PlaceWithinReach({data_.settings.left, data_.settings.top}, FromQt(size()),
                                     FromQt(PrimaryScreenRect()), screens));
  move(windowPos_);
  CheckTranslucency();
  BuildClockImages(data_);
  BuildNumeralSprites(data_);
  Draw();
}

QImage TForm1::presentedFrame() const
{
  return FrameView(composer_.frame());
}

void TForm1::CheckTranslucency()
{
  if (!HasPerPixelAlpha(*this))
    messagesLater_.notice(SystemMessageText(QString::fromLatin1(kNoTranslucency)));
}

void TForm1::SetClientSize(int width, int height)
{
  resize(width, height);
}

void TForm1::SetContextMenuHandler(std::function<void(const QPoint& globalPos)> handler)
{
  contextMenuHandler_ = std::move(handler);
}

void TForm1::SetDoubleClickHandler(std::function<void()> handler)
{
  doubleClickHandler_ = std::move(handler);
}

void TForm1::Draw()
{
  const QTime now = QTime::currentTime();
  const QRect changed = ToQt(composer_.Present(data_, {now.hour(), now.minute(), now.second()},
                                               FromQt(QRect(windowPos_, size())), FromQt(QCursor::pos())));
  const QImage frame = FrameView(composer_.frame());
  if (frame.isNull())
    return;
  const bool resized = frame.size() != size();
  if (resized)
    resize(frame.size());
  // Only what changed goes to the window system, and from there to the compositor; a frame identical
  // to the one on screen costs nothing more.
  if (changed.isEmpty() && !resized)
    return;
  ++presentedCount_;
  // Painted at once: a later update would cost the event loop another round.
  if (resized) {
    shape_.Apply(*this, frame);
    repaint();
  } else {
    shape_.Update(*this, frame, changed);
    repaint(changed);
  }
}

void TForm1::TimerTimer()
{
  Draw();
  const TickDecision tick = DecideTick({FromQt(windowPos_), FromQt(size()), FromQt(PrimaryScreenRect()),
                                        timer_.interval(), {data_.settings.left, data_.settings.top}});
  const QPoint position = ToQt(tick.position);
  if (tick.interval != timer_.interval())
    timer_.setInterval(tick.interval);
  pendingSave_.reset();
  if (position == windowPos_) {
    if (tick.save)
      SaveNewPosition(position);
    return;
  }
  move(position);
  // A window manager may refuse or alter the move: the place is stored once the window is there.
  if (tick.save)
    pendingSave_ = position;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
  // Only the window system's own reports say where the window is, and they reach the native window;
  // a move we asked for may never happen.
  if (watched == windowHandle() && event->type() == QEvent::Move) {
    windowPos_ = static_cast<QMoveEvent*>(event)->pos();
    if (pendingSave_ && *pendingSave_ == windowPos_)
      SaveNewPosition(*std::exchange(pendingSave_, std::nullopt));
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::SaveNewPosition(QPoint position)
{
  // The record takes the place first, so a place that cannot be stored is not tried again.
  data_.settings.left = position.x();
  data_.settings.top = position.y();
  try {
    store_.SavePosition(data_.settings);
    positionErrorShown_ = false;
  } catch (const TickoraError& e) {
    if (!positionErrorShown_) {
      positionErrorShown_ = true;
      // A modal box in the middle of a drag would take the mouse and end the drag where it is.
      if (dragging_)
        pendingPositionError_ = ErrorText(e.what());
      else
        messages_.error(ErrorText(e.what()));
    }
  }
}

void TForm1::paintEvent(QPaintEvent* event)
{
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(event->rect(), FrameView(composer_.frame()), event->rect());
}

void TForm1::mousePressEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton) {
    pressedAt_ = event->globalPosition().toPoint();
    dragOffset_ = pressedAt_ - pos();
    pressed_ = true;
  }
  event->accept();
}

void TForm1::mouseMoveEvent(QMouseEvent* event)
{
  if (!(event->buttons() & Qt::LeftButton)) {
    event->accept();
    return;
  }
  const QPoint at = event->globalPosition().toPoint();
  // A drag, not a click: the window manager's own move, as for a title bar. Started only once the
  // pointer has moved, so clicks and double clicks stay the clock's; without a window manager the
  // clock moves itself.
  if (pressed_ && !dragging_ && (at - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
    pressed_ = false;
    dragging_ = !StartWindowManagerMove(*this, pressedAt_);
  }
  if (dragging_)
    move(at - dragOffset_);
  event->accept();
}

void TForm1::mouseReleaseEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton) {
    pressed_ = false;
    dragging_ = false;
    if (!pendingPositionError_.isEmpty())
      messagesLater_.error(std::exchange(pendingPositionError_, QString()));
  } else if (event->button() == Qt::RightButton && contextMenuHandler_)
    contextMenuHandler_(event->globalPosition().toPoint());
  event->accept();
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton) {
    pressed_ = false;
    dragging_ = false;
    if (doubleClickHandler_)
      doubleClickHandler_();
  }
  event->accept();
}

void TForm1::closeEvent(QCloseEvent* event)
{
  // The clock is the main window: closing it through the window manager ends the program as "Close"
  // does, so no hidden copy keeps the lock.
  event->accept();
  QCoreApplication::exit(0);
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
  // The clock has no keyboard commands.
  event->accept();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  shape_.Reapply(*this);
}

bool TForm1::event(QEvent* event)
{
  const bool handled = QWidget::event(event);
  // A new native window starts without a shape.
  if (event->type() == QEvent::WinIdChange || event->type() == QEvent::Show)
    shape_.Reapply(*this);
  if (event->type() == QEvent::WinIdChange && windowHandle())
    windowHandle()->installEventFilter(this);
  return handled;
}
