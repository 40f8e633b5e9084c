#include "platform/WindowShape.h"

#include <QRegion>
#include <QWidget>

#ifdef TICKORA_HAVE_X11
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#endif

#include "platform/X11Display.h"

namespace {

#ifdef TICKORA_HAVE_X11
bool CompositorRunning(Display* display)
{
  const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
  const Atom selection = XInternAtom(display, name.constData(), False);
  return XGetSelectionOwner(display, selection) != 0;
}

// Returns whether the window now has a bounding shape.
bool ShapeX11(Display* display, Window window, const std::vector<QRect>& runs, bool hadBounding)
{
  std::vector<XRectangle> rectangles;
  rectangles.reserve(runs.size());
  for (const QRect& r : runs) {
    rectangles.push_back({static_cast<short>(r.x()), static_cast<short>(r.y()),
                          static_cast<unsigned short>(r.width()), static_cast<unsigned short>(r.height())});
  }
  const int count = static_cast<int>(rectangles.size());
  XShapeCombineRectangles(display, window, ShapeInput, 0, 0, rectangles.data(), count, ShapeSet, YXBanded);
  bool bounding = hadBounding;
  if (!CompositorRunning(display)) {
    XShapeCombineRectangles(display, window, ShapeBounding, 0, 0, rectangles.data(), count, ShapeSet, YXBanded);
    bounding = true;
  } else if (hadBounding) {
    XShapeCombineMask(display, window, ShapeBounding, 0, 0, 0 /* no mask: the whole window */, ShapeSet);
    bounding = false;
  }
  XFlush(display);
  return bounding;
}
#endif

}  // namespace

std::vector<QRect> OpaqueRuns(const QImage& frame)
{
  std::vector<QRect> runs;
  if (frame.isNull())
    return runs;
  const QImage image = frame.format() == QImage::Format_ARGB32_Premultiplied || frame.format() == QImage::Format_ARGB32
                           ? frame
                           : frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int width = image.width();
  const int height = image.height();
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int x = 0;
    while (x < width) {
      while (x < width && qAlpha(row[x]) == 0)
        ++x;
      const int start = x;
      while (x < width && qAlpha(row[x]) != 0)
        ++x;
      if (x > start)
        runs.emplace_back(start, y, x - start, 1);
    }
  }
  return runs;
}

void AlphaShape::Apply(QWidget& window, const QImage& frame)
{
  runs_ = OpaqueRuns(frame);
  hasFrame_ = true;
  Reapply(window);
}

void AlphaShape::Reapply(QWidget& window)
{
  if (!hasFrame_ || !window.testAttribute(Qt::WA_WState_Created))
    return;
#ifdef TICKORA_HAVE_X11
  if (Display* display = X11Display()) {
    bounding_ = ShapeX11(display, static_cast<Window>(window.winId()), runs_, bounding_);
    return;
  }
#endif
  QRegion region;
  region.setRects(runs_.data(), static_cast<int>(runs_.size()));
  window.setMask(region);
}
