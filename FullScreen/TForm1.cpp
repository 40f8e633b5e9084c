#include "FullScreen/TForm1.h"

#include <exception>
#include <utility>

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTime>

#include "Clocks/ClockData.h"
#include "Clocks/ClockImages.h"
#include "FullScreen/ClockTick.h"
#include "model/ClockGeometry.h"
#include "model/SettingsStore.h"
#include "model/TickoraError.h"
#include "platform/WindowSystem.h"

namespace {
constexpr char kWindowText[] = "Tickora";
constexpr char kNoTranslucency[] = "The display offers no visual with per-pixel alpha for a translucent window";
}  // namespace

TForm1::TForm1(ClockData& data, SettingsStore& store, UserMessages messages, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      data_(data),
      store_(store),
      messages_(std::move(messages))
{
  setWindowTitle(QString::fromLatin1(kWindowText));
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);

  // The timer runs with the window; its first tick comes once the event loop runs.
  timer_.setInterval(kRestInterval);
  connect(&timer_, &QTimer::timeout, this, [this] {
    try {
      TimerTimer();
    } catch (const std::exception& e) {
      messages_.error(ErrorBoxText(e.what()));
    }
  });
  timer_.start();

  try {
    FormCreate();
  } catch (const std::exception& e) {
    // An error ends the creation handler; the window is still shown.
    ReportLater(messages_.error, ErrorBoxText(e.what()));
  }
  KeepOffTaskbar(*this);
  show();
}

void TForm1::FormCreate()
{
  // A store that cannot be read is reported; the clock starts on what could be read and the defaults.
  try {
    store_.LoadSettings(data_.settings, PrimaryScreenSize());
  } catch (const TickoraError& e) {
    ReportLater(messages_.error, ErrorBoxText(e.what()));
  }
  ClockGeometry& geometry = data_.geometry;
  geometry.oddDiameter = OddDiameterOf(data_.settings.sizeStep);
  geometry.radius = RadiusOf(geometry.oddDiameter);
  SetClientSize(geometry.oddDiameter, geometry.oddDiameter);
  CreateClockResources(data_, width(), height());
  move(data_.settings.left, data_.settings.top);
  CheckTranslucency();
  BuildClockImages(data_);
  BuildNumeralSprites(data_);
  Draw();
}

void TForm1::CheckTranslucency()
{
  if (!HasPerPixelAlpha(*this))
    ReportLater(messages_.notice, SystemMessageText(QString::fromLatin1(kNoTranslucency)));
}

void TForm1::ReportLater(std::function<void(const QString&)> to, const QString& text)
{
  QTimer::singleShot(0, this, [to = std::move(to), text] {
    if (to)
      to(text);
  });
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
  QImage frame = composer_.Compose(data_, {now.hour(), now.minute(), now.second()}, geometry(), QCursor::pos());
  if (frame.isNull())
    return;
  const bool resized = frame.size() != size();
  if (resized)
    resize(frame.size());
  // The timer draws each second twice; a frame identical to the one on screen costs nothing more.
  if (!resized && frame == frame_)
    return;
  frame_ = std::move(frame);
  ++presentedCount_;
  shape_.Apply(*this, frame_);
  update();
}

void TForm1::TimerTimer()
{
  Draw();
  const TickDecision tick = DecideTick(
      {pos(), size(), PrimaryScreenSize(), timer_.interval(), QPoint(data_.settings.left, data_.settings.top)});
  if (tick.interval != timer_.interval())
    timer_.setInterval(tick.interval);
  if (tick.position != pos())
    move(tick.position);
  if (tick.save)
    SaveNewPosition(tick.position);
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
        pendingPositionError_ = ErrorBoxText(e.what());
      else
        messages_.error(ErrorBoxText(e.what()));
    }
  }
}

void TForm1::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(0, 0, frame_);
}

void TForm1::mousePressEvent(QMouseEvent* event)
{
  // Move the window ourselves: it works with and without a window manager.
  if (event->button() == Qt::LeftButton) {
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - pos();
  }
  event->accept();
}

void TForm1::mouseMoveEvent(QMouseEvent* event)
{
  if (dragging_ && (event->buttons() & Qt::LeftButton))
    move(event->globalPosition().toPoint() - dragOffset_);
  event->accept();
}

void TForm1::mouseReleaseEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton) {
    dragging_ = false;
    if (!pendingPositionError_.isEmpty())
      ReportLater(messages_.error, std::exchange(pendingPositionError_, QString()));
  } else if (event->button() == Qt::RightButton && contextMenuHandler_)
    contextMenuHandler_(event->globalPosition().toPoint());
  event->accept();
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton) {
    dragging_ = false;
    if (doubleClickHandler_)
      doubleClickHandler_();
  }
  event->accept();
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
  return handled;
}
