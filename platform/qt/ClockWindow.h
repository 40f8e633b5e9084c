#pragma once
#include <memory>

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "FullScreen/ClockCompany.h"
#include "FullScreen/PointerGesture.h"
#include "FullScreen/TForm1.h"
#include "platform/qt/ClockWatches.h"
#include "platform/qt/TickTimer.h"
#include "platform/qt/WindowShape.h"
#include "platform/qt/X11Presenter.h"

// The clock window on Qt: frameless, always on top, per-pixel translucent, no taskbar entry. It turns
// Qt's events into TForm1's calls: the timer, the window system's move reports, the drag and the
// clicks; the left button drags it anywhere something is drawn, and pixels of alpha 0 let the mouse
// through.
class ClockWindow : public QWidget, public ClockWindowShell {
  Q_OBJECT
public:
  // Runs the creation handler and shows the window. One of several clocks ticks on their company's
  // timer; a clock alone has its own.
  ClockWindow(ClockData& data, SettingsStore& store, UserMessages messages, ClockCompany* company = nullptr,
              QWidget* parent = nullptr);

  TForm1& form() { return form_; }
  // A clock alone's timer.
  const QTimer& timer() const { return ownTimer_->timer(); }
  // The clock's pace: the timer's interval before DelayToNextTick spaces it.
  int tickInterval() const { return ticks_.interval(); }
  // A view of the frame on screen (premultiplied).
  QImage presentedFrame() const;

  PixelRect PrimaryScreen() const override;
  std::vector<PixelRect> Screens() const override;
  TimeOfDay LocalTime() const override;
  PixelPoint CursorPos() const override;
  long double DeviceScale() const override;
  void Resize(PixelSize size) override;
  void MoveTo(PixelPoint position) override;
  bool Present(const DeviceImage& frame, PixelRect changed, bool resized, const ClickMask& clicks,
               PixelRect clicksChanged) override;
  void SetClickThrough(bool through) override;
  void SetHidden(bool hidden) override;
  void SetTimerInterval(int milliseconds) override;
  void Later(std::function<void()> task) override;

  // None on X11: frames go to the window without Qt's paint path.
  QPaintEngine* paintEngine() const override;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

private:
  // A monitor added, removed, resized or rescaled shows at once.
  void WatchScreens();
  // The window's size in device pixels: the frame's.
  QSize DeviceSize() const;
  // The frame as Qt draws it: device pixels, at the window's device pixel ratio.
  QImage Frame() const;

  TForm1 form_;
  AlphaShape shape_;
  X11Presenter presenter_;
  ClockWatches::Listener watches_{{
      .wallClockJumped = [this] { form_.Wake(); },
      .fullScreenChanged = [this](std::optional<PixelRect> covered) { form_.ActiveWindowChanged(covered); },
      .compositingChanged = [this](bool running) { shape_.SetCompositing(*this, running); },
  }};
  std::unique_ptr<TickTimer> ownTimer_;
  ScheduledTicks ticks_;
  QTimer moveWatch_;       // while the window manager moves the clock, until the button is up
  PointerGesture gesture_{form_};
  QPointF pressedLocal_;  // in the window, for a window manager's move
};
