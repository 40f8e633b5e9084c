#pragma once
#include <functional>
#include <memory>
#include <optional>

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "FullScreen/ClockWindowControl.h"
#include "FullScreen/FrameComposer.h"
#include "platform/SelectionWatch.h"
#include "platform/ErrorReporting.h"
#include "platform/WindowShape.h"

class SettingsStore;
struct ClockData;

// The clock window: frameless, always on top, per-pixel translucent, D x D, no taskbar entry. A timer
// draws the clock and walks it back inside the primary monitor; the left button drags it anywhere
// something is drawn, and pixels of alpha 0 let the mouse through.
class TForm1 : public QWidget, public ClockWindowControl {
  Q_OBJECT
public:
  // Runs the creation handler and shows the window.
  TForm1(ClockData& data, SettingsStore& store, UserMessages messages = {}, QWidget* parent = nullptr);

  QWidget* widget() override { return this; }
  void SetClientSize(int width, int height) override;
  void SetContextMenuHandler(std::function<void(const QPoint& globalPos)> handler) override;
  void SetDoubleClickHandler(std::function<void()> handler) override;

  // Composes the frame for the current time and puts it on screen.
  void Draw();
  void TimerTimer();

  QTimer& timer() { return timer_; }
  // Where the window is, as the window system last reported it.
  QPoint windowPosition() const { return windowPos_; }
  // The frame on screen (premultiplied), and how many distinct frames were presented.
  QImage presentedFrame() const;  // a view of the frame last composed
  int presentedCount() const { return presentedCount_; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

private:
  void FormCreate();
  void CheckTranslucency();
  void SaveNewPosition(QPoint position);

  ClockData& data_;
  SettingsStore& store_;
  UserMessages messages_;
  UserMessages messagesLater_;  // shown once the window runs: no box holds up the first frame
  FrameComposer composer_;
  AlphaShape shape_;
  std::unique_ptr<SelectionWatch> compositor_;  // a compositing manager
  QTimer timer_;
  int presentedCount_ = 0;
  QPoint windowPos_;                   // where the window system last reported the window
  std::optional<QPoint> pendingSave_;  // a place to store once the window is reported there
  bool pressed_ = false;   // the left button is down on the clock, not yet dragging
  bool dragging_ = false;  // the clock moves itself with the pointer
  QPoint pressedAt_;
  QPoint dragOffset_;
  bool positionErrorShown_ = false;
  QString pendingPositionError_;  // shown when the drag ends
  std::function<void(const QPoint&)> contextMenuHandler_;
  std::function<void()> doubleClickHandler_;
};
