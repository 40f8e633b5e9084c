#pragma once
#include <functional>
#include <optional>

#include <QAbstractNativeEventFilter>
#include <QByteArray>

#include "model/PixelGeometry.h"

// The active window while it is full screen, followed through the X server's own notices: the root's
// _NET_ACTIVE_WINDOW, and that window's _NET_WM_STATE and geometry. Reports the monitors it covers,
// in Qt's coordinates, or nothing while the active window is not full screen. Without X11 it reports
// nothing.
class FullScreenWatch : public QAbstractNativeEventFilter {
public:
  using Report = std::function<void(std::optional<PixelRect> covered)>;
  explicit FullScreenWatch(Report changed);
  ~FullScreenWatch() override;
  FullScreenWatch(const FullScreenWatch&) = delete;
  FullScreenWatch& operator=(const FullScreenWatch&) = delete;

  // The monitors the active window covers now: what the last report said.
  std::optional<PixelRect> covered() const { return covered_; }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
  // Reads the active window afresh and reports what changed.
  void Check();
  void Watch(unsigned long window);

  Report changed_;
  bool usable_ = false;
  unsigned long root_ = 0;
  unsigned long activeAtom_ = 0, stateAtom_ = 0, fullScreenAtom_ = 0;
  unsigned long watched_ = 0;  // the active window, whose changes we listen to
  long watchedMask_ = 0;       // what this program listened to on it before
  std::optional<PixelRect> covered_;
};
