#include "FullScreen/FrameComposer.h"

#include <algorithm>

#include "FullScreen/FrameGeometry.h"
#include "model/ClockGeometry.h"
#include "platform/raster/DrawingSurface.h"

namespace {
constexpr std::int32_t kFirstMarkerDial = 8;

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
// larger than D).
void PunchCursorHole(QImage& frame, const QRect& window, const QPoint& cursor)
{
  const long long left = window.x();
  const long long top = window.y();
  const long long x = cursor.x();
  const long long y = cursor.y();
  if (!(left < x && x < left + window.width() && top < y && y < top + window.height()))
    return;
  const long long fx = x - left;
  const long long fy = y - top;
  if (fx >= frame.width() || fy >= frame.height())
    return;
  // Alpha 0 premultiplies to 0 whatever the colour bytes held.
  reinterpret_cast<std::uint32_t*>(frame.scanLine(static_cast<int>(fy)))[fx] = 0;
}

void DrawRect(DrawingSurface& surface, const ArgbImage& image, const FrameRect& r)
{
  surface.DrawImageRect(image, r.left, r.top, r.width, r.height);
}
}  // namespace

void FrameComposer::Refresh(const ClockData& data)
{
  const ClockGeometry& g = data.geometry;
  const Key key{&data, data.planesGeneration, g.diameter, g.markerWidth, g.markerHeight, g.handExtentX, g.handExtentY};
  // Unstamped planes may have been written by anyone: rebuild every frame.
  if (key == key_ && key.generation != 0)
    return;
  face_ = ImageFromPlanes(data.facePlanes, g.diameter, g.diameter).ToDeviceImage();
  hand_ = ImageFromPlanes(data.handPlanes, g.handExtentX, g.handExtentY);
  marker_ = ImageFromPlanes(data.markerPlanes, g.markerWidth, g.markerHeight);
  key_ = key;
}

void FrameComposer::DrawSprites(QImage& frame, const ClockData& data, const TimeOfDay& time) const
{
  const HandAngles angles = HandAnglesAt(time.hours, time.minutes, time.seconds);
  const std::int32_t d = data.geometry.diameter;
  const long double scale = FrameScale(d);
  const ClockSettings& settings = data.settings;
  DrawingSurface surface(frame);

  if (settings.dialStyle >= kFirstMarkerDial) {
    for (const RingCentre& c : RingCentres(d, kMarkerRingDivisor))
      DrawRect(surface, marker_, MarkerRect(c, data.geometry.markerWidth, data.geometry.markerHeight, scale));
  }
  if (settings.showNumerals == 1) {
    const std::int32_t n = NumeralSize(scale);
    const auto centres = RingCentres(d, NumeralRingDivisor(settings.dialStyle));
    for (std::size_t i = 0; i < centres.size(); ++i)
      DrawRect(surface, data.numeralSprites[i], NumeralRect(centres[i], n));
  }

  // The hands turn about the integer centre, not the rings' real one.
  const long double pivot = static_cast<long double>(RadiusOf(d));
  const auto drawHand = [&](HandSize size, HandKind kind, long double angle) {
    surface.Translate(pivot, pivot);
    surface.Rotate(angle);
    DrawRect(surface, hand_, HandRect(size, kind, scale));
    surface.ResetTransform();
  };
  drawHand(data.geometry.hourHand, HandKind::Hour, angles.hour);
  drawHand(data.geometry.minuteHand, HandKind::Minute, angles.minute);
  if (settings.showSeconds != 0)
    drawHand(data.geometry.secondHand, HandKind::Second, angles.second);
}

QImage FrameComposer::Compose(const ClockData& data, const TimeOfDay& time, const QRect& window,
                              const QPoint& cursor)
{
  Refresh(data);
  QImage frame = face_;  // shared until first written
  if (frame.isNull())
    return frame;
  PunchCursorHole(frame, window, cursor);
  DrawSprites(frame, data, time);
  return frame;
}
