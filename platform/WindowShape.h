#pragma once
#include <vector>

#include <QImage>
#include <QRect>

class QWidget;

// The pixels with alpha > 0 of a premultiplied ARGB frame as horizontal runs, one rectangle per run,
// row by row from the top and left to right within a row.
std::vector<QRect> OpaqueRuns(const QImage& frame);

// Pixels of alpha 0 let the mouse through to the window below. On X11 the window gets an input shape
// of the drawn pixels, and, while no compositing manager runs (a translucent window would show a black
// square), a bounding shape too, so the clock is at least round. Elsewhere the widget's mask.
class AlphaShape {
public:
  // After each presented frame.
  void Apply(QWidget& window, const QImage& frame);
  // After the native window is re-created or resized: the last frame's shape again.
  void Reapply(QWidget& window);

  const std::vector<QRect>& runs() const { return runs_; }

private:
  std::vector<QRect> runs_;
  bool hasFrame_ = false;
  bool bounding_ = false;
};
