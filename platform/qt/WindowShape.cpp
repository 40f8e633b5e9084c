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

namespace {
bool OnX11()
{
#ifdef TICKORA_HAVE_X11
  return X11Display() != nullptr;
#else
  return false;
#endif
}
}  // namespace

void AlphaShape::SetSources(std::function<QImage()> frame, std::function<const ClickMask&()> clicks)
{
  frameSource_ = std::move(frame);
  clickSource_ = std::move(clicks);
}

bool AlphaShape::TakeDrawn(const QImage& frame, const QRect& area)
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

void AlphaShape::Update(QWidget& window, const QImage& frame, const QRect& changed, const ClickMask& clicks,
                        const QRect& clicksChanged)
{
  if (frame.size() != size_) {
    Reapply(window);
    return;
  }
  const QRect area = changed & frame.rect();
  if (OnX11() && !clickThrough_ && !(clicksChanged & frame.rect()).isEmpty())
    SendInput(window, clicks);
  if (!drawn_.empty() && !area.isEmpty() && TakeDrawn(frame, area))
    SendDrawn(window, area);
}

void AlphaShape::Reapply(QWidget& window)
{
  size_ = QSize();
  drawn_.clear();
  const QImage frame = frameSource_ ? frameSource_() : QImage();
  if (frame.isNull() || !window.testAttribute(Qt::WA_WState_Created))
    return;
  size_ = frame.size();
  const bool x11 = OnX11();
  if (!x11 || !compositing_) {
    drawn_.assign(static_cast<std::size_t>(size_.width()) * static_cast<std::size_t>(size_.height()), 0);
    TakeDrawn(frame, frame.rect());
    SendDrawn(window, QRect());
  }
#ifdef TICKORA_HAVE_X11
  if (!x11)
    return;
  Display* display = X11Display();
  const auto id = static_cast<Window>(window.winId());
  if (clickThrough_)
    XShapeCombineRectangles(display, id, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
  else if (clickSource_ && clickSource_().size == PixelSize{size_.width(), size_.height()})
    SendInput(window, clickSource_());
  if (compositing_ && bounding_) {
    XShapeCombineMask(display, id, ShapeBounding, 0, 0, 0 /* no mask: the whole window */, ShapeSet);
    bounding_ = false;
  }
  XFlush(display);
#endif
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
  if (OnX11()) {
    Reapply(window);
    return;
  }
  // Without X the mask is what the user sees; the window itself takes no input instead.
  if (QWindow* handle = window.windowHandle())
    handle->setFlag(Qt::WindowTransparentForInput, through);
  else
    window.setWindowFlag(Qt::WindowTransparentForInput, through);
}

void AlphaShape::SendInput([[maybe_unused]] QWidget& window, [[maybe_unused]] const ClickMask& clicks)
{
#ifdef TICKORA_HAVE_X11
  if (!window.testAttribute(Qt::WA_WState_Created) || clicks.bits.empty())
    return;
  // Set whole, in one request: a compositor reads the whole shape again at each change anyway, and
  // one request is one change for it.
  std::vector<QRect> runs;
  AppendRuns(QRect(0, 0, clicks.size.width, clicks.size.height), [&clicks](int x, int y) { return clicks.at(x, y); },
             runs);
  Display* display = X11Display();
  ShapeX11(display, static_cast<Window>(window.winId()), ShapeInput, QRect(), XRectangles(runs), true);
  XFlush(display);
#endif
}

void AlphaShape::SendDrawn(QWidget& window, const QRect& area)
{
  if (!window.testAttribute(Qt::WA_WState_Created))
    return;
  const auto width = static_cast<std::size_t>(size_.width());
  const auto drawn = [this, width](int x, int y) {
    return drawn_[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] != 0;
  };
#ifdef TICKORA_HAVE_X11
  if (Display* display = X11Display()) {
    // A bounding shape not yet set is set whole.
    const bool whole = area.isEmpty() || !bounding_;
    const QRect within = whole ? QRect(QPoint(0, 0), size_) : area;
    std::vector<QRect> runs;
    AppendRuns(within, drawn, runs);
    ShapeX11(display, static_cast<Window>(window.winId()), ShapeBounding, within, XRectangles(runs), whole);
    bounding_ = true;
    XFlush(display);
    return;
  }
#endif
  // Without X (another platform plugin): the widget's mask, in logical pixels.
  window.setMask(LogicalMaskOf(size_, window.devicePixelRatioF(), drawn));
}
