#pragma once
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>

class QWidget;

// The pixels with alpha > 0 of a premultiplied ARGB frame as horizontal runs, one rectangle per run,
// row by row from the top and left to right within a row.
std::vector<QRect> OpaqueRuns(const QImage& frame);

// The drawn pixels of a frame of `ratio` device pixels per logical pixel as a widget's mask, in
// logical pixels: every logical pixel that covers a drawn one.
QRegion LogicalMask(const QImage& frame, qreal ratio);

// Pixels of alpha 0 let the mouse through to the window below. On X11 the window gets an input shape
// of the drawn pixels, and, while no compositing manager runs (a translucent window would show a black
// square), a bounding shape too, so the clock is at least round. Elsewhere the widget's mask. The shape
// is sent again only where the drawn pixels changed, and the input shape alone only while the pointer
// is near: compositors redo much of their work for a window at any change of its shape.
class AlphaShape {
public:
  // After a frame: the whole of it.
  void Apply(QWidget& window, const QImage& frame);
  // After a frame that differs from the one before only within `changed`.
  void Update(QWidget& window, const QImage& frame, const QRect& changed);
  // After the native window is re-created or resized: the last frame's shape again.
  void Reapply(QWidget& window);
  // Whether a compositing manager blends the window; without one the shape bounds it too.
  void SetCompositing(QWidget& window, bool running);
  // Whether the pointer is near enough to reach the window before the next frame: the input shape is
  // brought up to date when it comes, and follows every frame while it stays.
  void SetPointerNear(QWidget& window, bool within);
  // Where the frame on screen is read from when the input shape catches up.
  void SetFrameSource(std::function<QImage()> source) { frameSource_ = std::move(source); }

  // Whether every click goes through, on every pixel (a locked clock): an empty input shape on X11,
  // whatever SetPointerNear says.
  void SetClickThrough(QWidget& window, bool through);

private:
  // Takes `area` of the frame into the mask; returns whether any pixel's drawn state changed.
  bool TakeMask(const QImage& frame, const QRect& area);
  // Takes the area the input shape lags in; returns whether any pixel's drawn state changed there.
  bool TakeStale();
  void Send(QWidget& window, const QRect& area);

  std::vector<std::uint8_t> drawn_;  // one byte a pixel: alpha > 0
  QSize size_;
  bool hasFrame_ = false;
  bool compositing_ = true;
  bool bounding_ = false;
  bool pointerNear_ = true;
  bool clickThrough_ = false;
  QRect stale_;  // where the input shape lags behind the frames while the pointer is away
  std::function<QImage()> frameSource_;
};
