#pragma once
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>

#include "FullScreen/FrameComposer.h"

class QWidget;

// The pixels with alpha > 0 of a premultiplied ARGB frame as horizontal runs, one rectangle per run,
// row by row from the top and left to right within a row.
std::vector<QRect> OpaqueRuns(const QImage& frame);

// The drawn pixels of a frame of `ratio` device pixels per logical pixel as a widget's mask, in
// logical pixels: every logical pixel that covers a drawn one.
QRegion LogicalMask(const QImage& frame, qreal ratio);

// Pixels that take no click let the mouse through to the window below. On X11 the window gets an input
// shape of the frame's clickable pixels (ClickMask), sent only with a frame that changes them:
// compositors redo much of their work for a window at any change of its shape.
// While no compositing manager runs (a translucent window would show a black square) it gets a
// bounding shape of the drawn pixels too, so the clock is at least round. Elsewhere the widget's mask
// of the drawn pixels.
class AlphaShape {
public:
  // Where the frame on screen and its clickable pixels are read from when the whole shape is sent.
  void SetSources(std::function<QImage()> frame, std::function<const ClickMask&()> clicks);
  // After a frame that differs from the one before only within `changed`, its clickable pixels only
  // within `clicksChanged`.
  void Update(QWidget& window, const QImage& frame, const QRect& changed, const ClickMask& clicks,
              const QRect& clicksChanged);
  // After a frame of a new size, or the native window re-created or resized: the whole shape again.
  void Reapply(QWidget& window);
  // Whether a compositing manager blends the window; without one the shape bounds it too.
  void SetCompositing(QWidget& window, bool running);
  // Whether every click goes through, on every pixel (a locked clock): an empty input shape on X11.
  void SetClickThrough(QWidget& window, bool through);

private:
  // Takes `area` of the frame's drawn pixels; returns whether any pixel's drawn state changed.
  bool TakeDrawn(const QImage& frame, const QRect& area);
  // The drawn pixels as the widget's mask (without X) or the bounding shape (X11, no compositor).
  void SendDrawn(QWidget& window, const QRect& area);
  void SendInput(QWidget& window, const ClickMask& clicks);

  std::vector<std::uint8_t> drawn_;  // one byte a pixel, alpha > 0: kept only while a shape shows them
  QSize size_;                       // of the frame the shape was last sent whole for
  bool compositing_ = true;
  bool bounding_ = false;
  bool clickThrough_ = false;
  std::function<QImage()> frameSource_;
  std::function<const ClickMask&()> clickSource_;
};
