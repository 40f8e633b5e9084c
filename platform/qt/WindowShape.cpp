#include "platform/qt/WindowShape.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QRegion>
#include <QWidget>
#include <QWindow>

#ifdef TICKORA_HAVE_X11
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#endif

#include "platform/qt/X11Display.h"

namespace {

#ifdef TICKORA_HAVE_X11
std::vector<XRectangle> XRectangles(const std::vector<QRect>& runs)
{
  std::vector<XRectangle> rectangles;
  rectangles.reserve(runs.size());
  for (const QRect& r : runs) {
    rectangles.push_back({static_cast<short>(r.x()), static_cast<short>(r.y()),
                          static_cast<unsigned short>(r.width()), static_cast<unsigned short>(r.height())});
  }
  return rectangles;
}

// Replaces the shape of `kind` within `area` by the runs (all of it when `whole`).
void ShapeX11(Display* display, Window window, int kind, const QRect& area, const std::vector<XRectangle>& runs,
              bool whole)
{
  const int count = static_cast<int>(runs.size());
  if (whole) {
    XShapeCombineRectangles(display, window, kind, 0, 0, const_cast<XRectangle*>(runs.data()), count, ShapeSet,
                            YXBanded);
    return;
  }
  XRectangle cut{static_cast<short>(area.x()), static_cast<short>(area.y()), static_cast<unsigned short>(area.width()),
                 static_cast<unsigned short>(area.height())};
  XShapeCombineRectangles(display, window, kind, 0, 0, &cut, 1, ShapeSubtract, Unsorted);
  XShapeCombineRectangles(display, window, kind, 0, 0, const_cast<XRectangle*>(runs.data()), count, ShapeUnion,
                          YXBanded);
}
#endif

// Appends the runs of `area` where `drawn(x, y)` holds, row by row and left to right.
template <typename Drawn>
void AppendRuns(const QRect& area, Drawn drawn, std::vector<QRect>& runs)
{
  for (int y = area.top(); y <= area.bottom(); ++y) {
    int x = area.left();
    while (x <= area.right()) {
      while (x <= area.right() && !drawn(x, y))
        ++x;
      const int start = x;
      while (x <= area.right() && drawn(x, y))
        ++x;
      if (x > start)
        runs.emplace_back(start, y, x - start, 1);
    }
  }
}

// Qt's mask is in the window's logical pixels, the frame in device pixels: a logical pixel is in the
// mask when any device pixel it covers is drawn, so the rim is never cut.
template <typename Drawn>
QRegion LogicalMaskOf(QSize device, qreal ratio, Drawn drawn)
{
  const auto first = [ratio](int logical) { return static_cast<int>(std::floor(logical * ratio)); };
  const auto last = [ratio](int logical) { return static_cast<int>(std::ceil((logical + 1) * ratio)) - 1; };
  const QSize logical(static_cast<int>(std::ceil(device.width() / ratio)),
                      static_cast<int>(std::ceil(device.height() / ratio)));
  std::vector<QRect> runs;
  AppendRuns(
      QRect(QPoint(0, 0), logical),
      [&](int x, int y) {
        for (int dy = first(y); dy <= std::min(last(y), device.height() - 1); ++dy)
          for (int dx = first(x); dx <= std::min(last(x), device.width() - 1); ++dx)
            if (drawn(dx, dy))
              return true;
        return false;
      },
      runs);
  QRegion region;
  region.setRects(runs.data(), static_cast<int>(runs.size()));
  return region;
}

}  // namespace

QRegion LogicalMask(const QImage& frame, qreal ratio)
{
  const QImage image = frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return LogicalMaskOf(image.size(), ratio, [&image](int x, int y) {
    return qAlpha(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]) != 0;
  });
}

std::vector<QRect> OpaqueRuns(const QImage& frame)
{
  std::vector<QRect> runs;
  if (frame.isNull())
    return runs;
  const QImage image = frame.format() == QImage::Format_ARGB32_Premultiplied || frame.format() == QImage::Format_ARGB32
                           ? frame
                           : frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  AppendRuns(
      image.rect(),
      [&image](int x, int y) { return qAlpha(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]) != 0; },
      runs);
  return runs;
}

bool AlphaShape::TakeMask(const QImage& frame, const QRect& area)
{
  bool changed = false;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
    std::uint8_t* drawn = drawn_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(size_.width());
    for (int x = area.left(); x <= area.right(); ++x) {
      const std::uint8_t now = qAlpha(row[x]) != 0 ? 1 : 0;
      changed |= drawn[x] != now;
      drawn[x] = now;
    }
  }
  return changed;
}

void AlphaShape::Apply(QWidget& window, const QImage& frame)
{
  size_ = frame.size();
  stale_ = QRect();
  drawn_.assign(static_cast<std::size_t>(size_.width()) * static_cast<std::size_t>(size_.height()), 0);
  TakeMask(frame, frame.rect());
  hasFrame_ = true;
  Reapply(window);
}

void AlphaShape::Update(QWidget& window, const QImage& frame, const QRect& changed)
{
  if (!hasFrame_ || frame.size() != size_) {
    Apply(window, frame);
    return;
  }
  const QRect area = changed & frame.rect();
  if (area.isEmpty())
    return;
#ifdef TICKORA_HAVE_X11
  // Only the input shape may lag: a bounding shape or a mask is what the user sees. The mask is read
  // from the frame only when the shape is sent.
  if ((!pointerNear_ || clickThrough_) && compositing_ && X11Display()) {
    stale_ |= area;
    return;
  }
#endif
  if (TakeMask(frame, area))
    Send(window, area);
}

bool AlphaShape::TakeStale()
{
  const QRect stale = std::exchange(stale_, QRect());
  if (stale.isEmpty() || !frameSource_)
    return false;
  // A frame of another size is about to be applied whole.
  const QImage frame = frameSource_();
  return frame.size() == size_ && TakeMask(frame, stale);
}

void AlphaShape::SetPointerNear(QWidget& window, bool within)
{
  pointerNear_ = within;
  if (!within || clickThrough_)
    return;
  const QRect stale = stale_;
  if (TakeStale())
    Send(window, stale);
}

void AlphaShape::SetCompositing(QWidget& window, bool running)
{
  if (running == compositing_)
    return;
  compositing_ = running;
  Reapply(window);
}

void AlphaShape::SetClickThrough(QWidget& window, bool through)
{
  if (through == clickThrough_)
    return;
  clickThrough_ = through;
#ifdef TICKORA_HAVE_X11
  if (X11Display()) {
    Reapply(window);
    return;
  }
#endif
  // Without X the mask is what the user sees; the window itself takes no input instead.
  if (QWindow* handle = window.windowHandle())
    handle->setFlag(Qt::WindowTransparentForInput, through);
  else
    window.setWindowFlag(Qt::WindowTransparentForInput, through);
}

void AlphaShape::Reapply(QWidget& window)
{
  TakeStale();
  Send(window, QRect());
}

void AlphaShape::Send(QWidget& window, const QRect& area)
{
  if (!hasFrame_ || !window.testAttribute(Qt::WA_WState_Created))
    return;
  // A bounding shape not yet set must be set whole.
  if (!compositing_ && !bounding_ && !area.isEmpty()) {
    Send(window, QRect());
    return;
  }
  const bool whole = area.isEmpty();
  const QRect within = whole ? QRect(QPoint(0, 0), size_) : area;
  std::vector<QRect> runs;
  const auto width = static_cast<std::size_t>(size_.width());
  AppendRuns(
      within,
      [this, width](int x, int y) { return drawn_[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] != 0; },
      runs);
#ifdef TICKORA_HAVE_X11
  if (Display* display = X11Display()) {
    const auto id = static_cast<Window>(window.winId());
    const std::vector<XRectangle> rectangles = XRectangles(runs);
    if (clickThrough_)
      XShapeCombineRectangles(display, id, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
    else
      ShapeX11(display, id, ShapeInput, within, rectangles, whole);
    if (!compositing_) {
      ShapeX11(display, id, ShapeBounding, within, rectangles, whole);
      bounding_ = true;
    } else if (bounding_) {
      XShapeCombineMask(display, id, ShapeBounding, 0, 0, 0 /* no mask: the whole window */, ShapeSet);
      bounding_ = false;
    }
    XFlush(display);
    return;
  }
#endif
  // Without X (another platform plugin): the widget's mask, in logical pixels.
  if (const qreal ratio = window.devicePixelRatioF(); ratio != 1.0) {
    window.setMask(LogicalMaskOf(size_, ratio, [this, width](int x, int y) {
      return drawn_[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] != 0;
    }));
    return;
  }
  QRegion region;
  if (whole) {
    region.setRects(runs.data(), static_cast<int>(runs.size()));
  } else {
    region = window.mask().subtracted(QRegion(within));
    QRegion part;
    part.setRects(runs.data(), static_cast<int>(runs.size()));
    region += part;
  }
  window.setMask(region);
}
