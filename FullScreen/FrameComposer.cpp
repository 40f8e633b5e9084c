#include "FullScreen/FrameComposer.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include <QTransform>

#include "FullScreen/FrameGeometry.h"
#include "model/ClockGeometry.h"
#include "model/ClockSettings.h"
#include "platform/raster/DrawingSurface.h"

namespace {

// Packs the top-left width x height of the planes into an image; what lies beyond the planes stays
// transparent.
template <typename Planes>
ArgbImage ImageFromPlanes(const Planes& planes, std::int32_t width, std::int32_t height)
{
  ArgbImage image(width, height);
  const std::int32_t rows = std::min<std::int32_t>(height, Planes::kRows);
  const std::int32_t columns = std::min<std::int32_t>(width, Planes::kColumns);
  for (std::int32_t y = 0; y < rows; ++y)
    for (std::int32_t x = 0; x < columns; ++x)
      image.SetPixel(x, y, planes.Argb(y, x));
  return image;
}

// Strictly inside the window's current rectangle, and within the frame (the window may still be
// larger than D): the frame pixel under the cursor.
std::optional<QPoint> CursorHole(const QSize& frame, const QRect& window, const QPoint& cursor)
{
  const long long left = window.x();
  const long long top = window.y();
  const long long x = cursor.x();
  const long long y = cursor.y();
  if (!(left < x && x < left + window.width() && top < y && y < top + window.height()))
    return std::nullopt;
  const long long fx = x - left;
  const long long fy = y - top;
  if (fx >= frame.width() || fy >= frame.height())
    return std::nullopt;
  return QPoint(static_cast<int>(fx), static_cast<int>(fy));
}

// The pixels of `area` from one image into another of the same size and format.
void CopyArea(const QImage& from, QImage& to, const QRect& area)
{
  const QRect r = area & from.rect();
  if (r.isEmpty())
    return;
  const std::size_t bytes = static_cast<std::size_t>(r.width()) * 4;
  for (int y = r.top(); y <= r.bottom(); ++y)
    std::memcpy(to.scanLine(y) + static_cast<std::size_t>(r.left()) * 4,
                from.constScanLine(y) + static_cast<std::size_t>(r.left()) * 4, bytes);
}

// Where a hand drawn at `rect`, turned by `degrees` about (pivot, pivot), can leave pixels: its turned
// outline, widened for the bilinear smoothing.
QRect HandBounds(const FrameRect& rect, long double pivot, long double degrees)
{
  constexpr int kSmoothing = 2;
  QTransform turn;
  turn.translate(static_cast<qreal>(pivot), static_cast<qreal>(pivot));
  turn.rotate(static_cast<qreal>(degrees));
  return turn.mapRect(QRectF(rect.left, rect.top, rect.width, rect.height))
      .toAlignedRect()
      .adjusted(-kSmoothing, -kSmoothing, kSmoothing, kSmoothing);
}

void DrawRect(DrawingSurface& surface, const ArgbImage& image, const FrameRect& r)
{
  surface.DrawImageRect(image, r.left, r.top, r.width, r.height);
}
}  // namespace

void FrameComposer::Refresh(const ClockData& data)
{
  const ClockGeometry& g = data.geometry;
  const Key key{&data,          data.planesGeneration, g.diameter,
                g.markerWidth,  g.markerHeight,        g.handExtentX,
                g.handExtentY,  data.settings.dialStyle, data.settings.showNumerals};
  // Unstamped planes may have been written by anyone: rebuild every frame.
  if (key == key_ && key.generation != 0)
    return;
  dial_ = DeviceImage(ImageFromPlanes(data.facePlanes, g.diameter, g.diameter));
  hand_ = ImageFromPlanes(data.handPlanes, g.handExtentX, g.handExtentY);
  marker_ = ImageFromPlanes(data.markerPlanes, g.markerWidth, g.markerHeight);
  if (!dial_.isNull()) {
    DrawingSurface surface(dial_);
    DrawRings(surface, data);
  }
  key_ = key;
}

std::uint32_t FrameComposer::RingsPixel(const ClockData& data, QPoint at) const
{
  // The rings drawn as on the whole frame, over transparent black, but only this pixel computed: a
  // whole-pixel shift leaves the sampling as it is.
  QImage pixel(1, 1, QImage::Format_ARGB32_Premultiplied);
  pixel.fill(0);
  {
    DrawingSurface surface(pixel);
    surface.Translate(-at.x(), -at.y());
    DrawRings(surface, data);
  }
  return *reinterpret_cast<const std::uint32_t*>(pixel.constScanLine(0));
}

void FrameComposer::DrawRings(DrawingSurface& surface, const ClockData& data) const
{
  const std::int32_t d = data.geometry.diameter;
  const long double scale = FrameScale(d);
  const ClockSettings& settings = data.settings;
  if (settings.dialStyle >= kFirstMarkerDialStyle) {
    for (const RingCentre& c : RingCentres(d, kMarkerRingDivisor))
      DrawRect(surface, marker_, MarkerRect(c, data.geometry.markerWidth, data.geometry.markerHeight, scale));
  }
  if (settings.showNumerals == 1) {
    const std::int32_t n = NumeralSize(scale);
    const auto centres = RingCentres(d, NumeralRingDivisor(settings.dialStyle));
    for (std::size_t i = 0; i < centres.size(); ++i)
      DrawRect(surface, data.numeralSprites[i], NumeralRect(centres[i], n));
  }
}

QRect FrameComposer::DrawHands(QImage& frame, const ClockData& data, const TimeOfDay& time) const
{
  const HandAngles angles = HandAnglesAt(time.hours, time.minutes, time.seconds);
  const std::int32_t d = data.geometry.diameter;
  const long double scale = FrameScale(d);
  DrawingSurface surface(frame);
  // The hands turn about the integer centre, not the rings' real one.
  const long double pivot = static_cast<long double>(RadiusOf(d));
  QRect bounds;
  const auto drawHand = [&](HandSize size, HandKind kind, long double angle) {
    const FrameRect rect = HandRect(size, kind, scale);
    surface.Translate(pivot, pivot);
    surface.Rotate(angle);
    DrawRect(surface, hand_, rect);
    surface.ResetTransform();
    bounds |= HandBounds(rect, pivot, angle);
  };
  drawHand(data.geometry.hourHand, HandKind::Hour, angles.hour);
  drawHand(data.geometry.minuteHand, HandKind::Minute, angles.minute);
  if (data.settings.showSeconds != 0)
    drawHand(data.geometry.secondHand, HandKind::Second, angles.second);
  return bounds & frame.rect();
}

QRect FrameComposer::Present(const ClockData& data, const TimeOfDay& time, const QRect& window,
                             const QPoint& cursor)
{
  const Key before = key_;
  Refresh(data);
  if (dial_.isNull()) {
    front_ = QImage();
    return {};
  }
  const std::optional<QPoint> hole = CursorHole(dial_.size(), window, cursor);
  const ClockGeometry& g = data.geometry;
  const FrameInputs inputs{time, hole.value_or(QPoint(-1, -1)), data.settings.showSeconds,
                           g.hourHand, g.minuteHand, g.secondHand};
  const bool rebuilt = !(key_ == before && key_.generation != 0);
  if (!rebuilt && inputs == lastInputs_ && !front_.isNull())
    return {};

  // One frame buffer, written in place: the last frame's hands and hole go back to the dial, then the
  // new ones are drawn. No allocation while the size stays.
  const bool whole = rebuilt || front_.size() != dial_.size() || front_.format() != dial_.format();
  if (whole)
    front_ = dial_.copy();
  else
    CopyArea(dial_, front_, drawn_);
  QRect drawn;
  // The hole is made in the face before the rings are drawn; blending is per pixel, so the holed
  // pixel is then exactly what the rings alone leave there.
  if (hole) {
    reinterpret_cast<std::uint32_t*>(front_.scanLine(hole->y()))[hole->x()] = RingsPixel(data, *hole);
    drawn = QRect(*hole, QSize(1, 1));
  }
  drawn |= DrawHands(front_, data, time);
  lastInputs_ = inputs;
  const QRect changed = whole ? front_.rect() : drawn | drawn_;
  drawn_ = drawn;
  return changed;
}

QImage FrameComposer::Compose(const ClockData& data, const TimeOfDay& time, const QRect& window,
                              const QPoint& cursor)
{
  Present(data, time, window, cursor);
  return front_;
}
