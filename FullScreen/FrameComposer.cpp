#include "FullScreen/FrameComposer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>

#include "FullScreen/FrameGeometry.h"
#include "model/ClockGeometry.h"
#include "model/ClockSettings.h"
#include "raster/DrawingSurface.h"

namespace {

// Packs the top-left width x height of the planes into an image; what lies beyond the planes stays
// transparent.
ArgbImage ImageFromPlanes(const ArgbPlanes& planes, std::int32_t width, std::int32_t height)
{
  ArgbImage image(width, height);
  const std::int32_t rows = std::min<std::int32_t>(height, planes.rows());
  const std::int32_t columns = std::min<std::int32_t>(width, planes.columns());
  for (std::int32_t y = 0; y < rows; ++y)
    for (std::int32_t x = 0; x < columns; ++x)
      image.SetPixel(x, y, planes.Argb(y, x));
  return image;
}

// Strictly inside the window's current rectangle, and within the frame (the window may still be
// larger than D): the frame pixel under the cursor.
std::optional<PixelPoint> CursorHole(PixelSize frame, const PixelRect& window, PixelPoint cursor)
{
  const long long left = window.x;
  const long long top = window.y;
  const long long x = cursor.x;
  const long long y = cursor.y;
  if (!(left < x && x < left + window.width && top < y && y < top + window.height))
    return std::nullopt;
  const long long fx = x - left;
  const long long fy = y - top;
  if (fx >= frame.width || fy >= frame.height)
    return std::nullopt;
  return PixelPoint{static_cast<int>(fx), static_cast<int>(fy)};
}

// The pixels of `area` from one image into another of the same size.
void CopyArea(const DeviceImage& from, DeviceImage& to, const PixelRect& area)
{
  const PixelRect r = area.intersected(from.rect());
  if (r.isEmpty())
    return;
  const std::size_t bytes = static_cast<std::size_t>(r.width) * 4;
  for (int y = r.y; y < r.bottom(); ++y)
    std::memcpy(to.row(y) + r.x, from.row(y) + r.x, bytes);
}

// How far past its destination a drawn image may leave pixels: bilinear smoothing reaches one, the
// second covers each library's own rounding of the destination.
constexpr int kSmoothing = 2;

// Where a sprite drawn at `rect` can leave pixels.
PixelRect SpriteBounds(const PixelRect& rect)
{
  return {rect.x - kSmoothing, rect.y - kSmoothing, rect.width + 2 * kSmoothing, rect.height + 2 * kSmoothing};
}

// Where a hand drawn at `rect`, turned by `degrees` about (pivot, pivot), can leave pixels: its turned
// outline, widened for the smoothing.
PixelRect HandBounds(const PixelRect& rect, long double pivot, long double degrees)
{
  const long double a = degrees * std::numbers::pi_v<long double> / 180.0L;
  const long double c = std::cos(a);
  const long double s = std::sin(a);
  long double minX = 0, maxX = 0, minY = 0, maxY = 0;
  const long double xs[] = {static_cast<long double>(rect.x), static_cast<long double>(rect.x) + rect.width};
  const long double ys[] = {static_cast<long double>(rect.y), static_cast<long double>(rect.y) + rect.height};
  bool first = true;
  for (long double x : xs)
    for (long double y : ys) {
      const long double tx = pivot + x * c - y * s;
      const long double ty = pivot + x * s + y * c;
      minX = first ? tx : std::min(minX, tx);
      maxX = first ? tx : std::max(maxX, tx);
      minY = first ? ty : std::min(minY, ty);
      maxY = first ? ty : std::max(maxY, ty);
      first = false;
    }
  const int left = static_cast<int>(std::floor(minX)) - kSmoothing;
  const int top = static_cast<int>(std::floor(minY)) - kSmoothing;
  return {left, top, static_cast<int>(std::ceil(maxX)) + kSmoothing - left,
          static_cast<int>(std::ceil(maxY)) + kSmoothing - top};
}

void DrawRect(DrawingSurface& surface, const ArgbImage& image, const PixelRect& r)
{
  surface.DrawImageRect(image, r.x, r.y, r.width, r.height);
}
}  // namespace

void FrameComposer::Refresh(const ClockData& data)
{
  const ClockGeometry& g = data.geometry;
  const Key key{&data,          data.planesGeneration, g.diameter,
                g.markerWidth,  g.markerHeight,        g.handExtentX,
                g.handExtentY,  data.settings.dialStyle, data.settings.showNumerals,
                data.dialLabel, data.dialMark};
  // Unstamped planes may have been written by anyone: rebuild every frame.
  if (key == key_ && key.generation != 0)
    return;
  dial_ = Premultiplied(ImageFromPlanes(data.facePlanes, g.diameter, g.diameter));
  hand_ = ImageFromPlanes(data.handPlanes, g.handExtentX, g.handExtentY);
  marker_ = ImageFromPlanes(data.markerPlanes, g.markerWidth, g.markerHeight);
  if (!dial_.isNull()) {
    DrawingSurface surface(dial_);
    DrawRings(&surface, data);
    DrawLabel(surface, data);
  }
  key_ = key;
}

void FrameComposer::DrawLabel(DrawingSurface& surface, const ClockData& data) const
{
  // Below the centre, clear of the hub and of the ring's lowest sprite: the name, and the mark under it
  // a little smaller, each line centred on its own.
  const std::int32_t d = data.geometry.diameter;
  const int pixelHeight = std::max(7, (d * 3 + 20) / 40);
  const int width = d * 18 / 25;
  const int height = pixelHeight * 3 / 2;
  const int middle = d / 2 + d * 11 / 50;
  const Rgb& accent = data.accentColour;
  const auto channel = [](std::int32_t v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
  const std::uint32_t rgb = channel(accent.red) << 16 | channel(accent.green) << 8 | channel(accent.blue);
  if (!data.dialLabel.empty())
    surface.DrawText(data.dialLabel, rgb, {(d - width) / 2, middle - height / 2, width, height}, pixelHeight);
  if (!data.dialMark.empty()) {
    const int markHeight = std::max(7, pixelHeight * 5 / 6);
    const int markMiddle = middle + (data.dialLabel.empty() ? 0 : pixelHeight * 6 / 5);
    surface.DrawText(data.dialMark, rgb, {(d - width) / 2, markMiddle - height / 2, width, height}, markHeight);
  }
}

std::uint32_t FrameComposer::RingsPixel(const ClockData& data, PixelPoint at) const
{
  // The rings drawn as on the whole frame, over transparent black, on a target that ends at this
  // pixel: the same origin and no transform, so any drawing library samples exactly as on the frame
  // (GDI+ does not sample a translated drawing quite as an untranslated one).
  // Only the sprites that reach the pixel are drawn: the others leave it as it is.
  const PixelRect pixel{at.x, at.y, 1, 1};
  if (!DrawRings(nullptr, data, pixel))
    return 0;
  DeviceImage corner(at.x + 1, at.y + 1);
  {
    DrawingSurface surface(corner);
    DrawRings(&surface, data, pixel);
  }
  return corner.Pixel(at.x, at.y);
}

bool FrameComposer::DrawRings(DrawingSurface* surface, const ClockData& data, std::optional<PixelRect> only) const
{
  const std::int32_t d = data.geometry.diameter;
  const long double scale = FrameScale(d);
  const ClockSettings& settings = data.settings;
  bool any = false;
  const auto draw = [&](const ArgbImage& image, const PixelRect& r) {
    if (only && !only->intersects(SpriteBounds(r)))
      return;
    any = true;
    if (surface)
      DrawRect(*surface, image, r);
  };
  if (settings.dialStyle >= kFirstMarkerDialStyle) {
    for (const PixelPoint& c : RingCentres(d, kMarkerRingDivisor))
      draw(marker_, MarkerRect(c, data.geometry.markerWidth, data.geometry.markerHeight, scale));
  }
  if (settings.showNumerals == 1) {
    const std::int32_t n = NumeralSize(scale);
    const auto centres = RingCentres(d, NumeralRingDivisor(settings.dialStyle));
    for (std::size_t i = 0; i < centres.size(); ++i)
      draw(data.numeralSprites[i], NumeralRect(centres[i], n));
  }
  return any;
}

PixelRect FrameComposer::DrawHands(DeviceImage& frame, const ClockData& data, const TimeOfDay& time,
                                   Hands hands) const
{
  const HandAngles angles = HandAnglesAt(time.hours, time.minutes, time.seconds);
  const std::int32_t d = data.geometry.diameter;
  const long double scale = FrameScale(d);
  DrawingSurface surface(frame);
  // The hands turn about the integer centre, not the rings' real one.
  const long double pivot = static_cast<long double>(RadiusOf(d));
  PixelRect bounds;
  const auto drawHand = [&](HandSize size, HandKind kind, long double angle) {
    const PixelRect rect = HandRect(size, kind, scale);
    surface.Translate(pivot, pivot);
    surface.Rotate(angle);
    DrawRect(surface, hand_, rect);
    surface.ResetTransform();
    bounds = bounds.united(HandBounds(rect, pivot, angle));
  };
  if (hands != Hands::Second) {
    drawHand(data.geometry.hourHand, HandKind::Hour, angles.hour);
    drawHand(data.geometry.minuteHand, HandKind::Minute, angles.minute);
  }
  if (hands != Hands::HourAndMinute && data.settings.showSeconds != 0)
    drawHand(data.geometry.secondHand, HandKind::Second, angles.second);
  return bounds.intersected(frame.rect());
}

PixelRect FrameComposer::RefreshLayer(const ClockData& data, const TimeOfDay& time, PixelRect& restore)
{
  // The hour and minute hands turn once a minute: kept drawn over the dial in a layer of their own,
  // so most frames draw only the second hand.
  const ClockGeometry& g = data.geometry;
  const LayerInputs layerInputs{time.hours, time.minutes, g.hourHand, g.minuteHand};
  if (!layer_.isNull() && layerInputs == layerInputs_)
    return {};
  // The frame may show the old layer's hands: they go back to the dial too.
  if (onLayer_)
    restore = restore.united(layerDrawn_);
  const PixelRect before = layer_.isNull() ? dial_.rect() : layerDrawn_;
  layer_ = dial_;
  layerDrawn_ = DrawHands(layer_, data, time, Hands::HourAndMinute);
  layerInputs_ = layerInputs;
  onLayer_ = false;
  return before.united(layerDrawn_);
}

void FrameComposer::TakeClicks(const PixelRect& area, std::optional<PixelPoint> hole, bool holeDrawn)
{
  const PixelRect r = area.intersected(layer_.rect());
  for (int y = r.y; y < r.bottom(); ++y) {
    const std::uint32_t* from = layer_.row(y);
    std::uint8_t* to = clicks_.bits.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(clicks_.size.width);
    for (int x = r.x; x < r.right(); ++x) {
      const std::uint8_t drawn = (from[x] >> 24) != 0 ? 1 : 0;
      if (to[x] != drawn) {
        to[x] = drawn;
        clicksChanged_ = clicksChanged_.united({x, y, 1, 1});
      }
    }
  }
  // The hole's pixel is what the rings and the hour and minute hands leave there.
  if (hole) {
    std::uint8_t& at = clicks_.bits[static_cast<std::size_t>(hole->y) * static_cast<std::size_t>(clicks_.size.width) +
                                    static_cast<std::size_t>(hole->x)];
    if (at != (holeDrawn ? 1 : 0)) {
      at = holeDrawn ? 1 : 0;
      clicksChanged_ = clicksChanged_.united({hole->x, hole->y, 1, 1});
    }
  }
  clickHole_ = hole;
}

PixelRect FrameComposer::Present(const ClockData& data, const TimeOfDay& time, const PixelRect& window,
                                 PixelPoint cursor)
{
  clicksChanged_ = {};
  const Key before = key_;
  Refresh(data);
  if (dial_.isNull()) {
    front_ = DeviceImage();
    layer_ = DeviceImage();
    clicks_ = {};
    return {};
  }
  const std::optional<PixelPoint> hole = CursorHole(dial_.size(), window, cursor);
  const ClockGeometry& g = data.geometry;
  const FrameInputs inputs{time, hole.value_or(PixelPoint{-1, -1}), data.settings.showSeconds,
                           g.hourHand, g.minuteHand, g.secondHand};
  const bool rebuilt = !(key_ == before && key_.generation != 0);
  if (!rebuilt && inputs == lastInputs_ && !front_.isNull())
    return {};

  // One frame buffer, written in place: the last frame's hands and hole go back to what lies under
  // them, then the new ones are drawn. No allocation while the size stays.
  const bool whole = rebuilt || front_.size() != dial_.size();
  if (whole) {
    front_ = dial_;
    onLayer_ = false;
    layer_ = DeviceImage();
  }
  PixelRect restore = drawn_;
  PixelRect clickArea = RefreshLayer(data, time, restore);
  PixelRect drawn;
  bool holeDrawn = false;
  if (!hole) {
    if (!onLayer_)
      restore = restore.united(layerDrawn_);
    onLayer_ = true;
    CopyArea(layer_, front_, restore);
    drawn = DrawHands(front_, data, time, Hands::Second);
  } else {
    // The hole lies under every hand: the long way, all three over the dial.
    if (onLayer_)
      restore = restore.united(layerDrawn_);
    onLayer_ = false;
    CopyArea(dial_, front_, restore);
    // The hole is made in the face before the rings are drawn; blending is per pixel, so the holed
    // pixel is then exactly what the rings alone leave there.
    front_.row(hole->y)[hole->x] = RingsPixel(data, *hole);
    drawn = PixelRect{hole->x, hole->y, 1, 1}.united(DrawHands(front_, data, time, Hands::HourAndMinute));
    holeDrawn = (front_.Pixel(hole->x, hole->y) >> 24) != 0;
    drawn = drawn.united(DrawHands(front_, data, time, Hands::Second));
  }
  lastInputs_ = inputs;
  const PixelRect changed = whole ? front_.rect() : drawn.united(restore);
  drawn_ = drawn;

  if (whole || clicks_.size != front_.size()) {
    clicks_ = {front_.size(), std::vector<std::uint8_t>(static_cast<std::size_t>(front_.width()) *
                                                          static_cast<std::size_t>(front_.height()))};
    clickArea = front_.rect();
    clickHole_.reset();
  }
  if (clickHole_)
    clickArea = clickArea.united({clickHole_->x, clickHole_->y, 1, 1});
  TakeClicks(clickArea, hole, holeDrawn);
  if (whole)
    clicksChanged_ = front_.rect();
  return changed;
}

DeviceImage FrameComposer::Compose(const ClockData& data, const TimeOfDay& time, const PixelRect& window,
                                   PixelPoint cursor)
{
  Present(data, time, window, cursor);
  return front_;
}
