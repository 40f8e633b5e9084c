// The composer keeps the dial between frames; these frames must equal the plain order of drawing:
// the face, the cursor hole, the rings, then the hands, all drawn afresh.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "Clocks/BuildClockImages.h"
#include "FullScreen/FrameComposer.h"
#include "FullScreen/FrameGeometry.h"
#include "raster/DrawingSurface.h"

namespace {
ArgbImage ImageOf(const ArgbPlanes& planes, int width, int height)
{
  ArgbImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.SetPixel(x, y, planes.Argb(y, x));
  return image;
}

void Draw(DrawingSurface& surface, const ArgbImage& image, const PixelRect& r)
{
  surface.DrawImageRect(image, r.x, r.y, r.width, r.height);
}

// Every step in its order, nothing kept; `hole` in frame pixels, or outside the frame for none.
DeviceImage PlainFrame(const ClockData& data, const TimeOfDay& time, PixelPoint hole)
{
  const ClockGeometry& g = data.geometry;
  const int d = g.diameter;
  const long double scale = FrameScale(d);
  DeviceImage frame = Premultiplied(ImageOf(data.facePlanes, d, d));
  if (PixelRect{0, 0, d, d}.contains(hole))
    frame.row(hole.y)[hole.x] = 0;
  DrawingSurface surface(frame);
  if (data.settings.dialStyle > 7) {
    const ArgbImage marker = ImageOf(data.markerPlanes, g.markerWidth, g.markerHeight);
    for (const PixelPoint& c : RingCentres(d, kMarkerRingDivisor))
      Draw(surface, marker, MarkerRect(c, g.markerWidth, g.markerHeight, scale));
  }
  if (data.settings.showNumerals == 1) {
    const auto centres = RingCentres(d, NumeralRingDivisor(data.settings.dialStyle));
    for (std::size_t i = 0; i < 12; ++i)
      Draw(surface, data.numeralSprites[i], NumeralRect(centres[i], NumeralSize(scale)));
  }
  const ArgbImage hand = ImageOf(data.handPlanes, g.handExtentX, g.handExtentY);
  const HandAngles angles = HandAnglesAt(time.hours, time.minutes, time.seconds);
  const long double pivot = RadiusOf(d);
  const struct {
    HandSize size;
    HandKind kind;
    long double angle;
  } hands[] = {{g.hourHand, HandKind::Hour, angles.hour},
               {g.minuteHand, HandKind::Minute, angles.minute},
               {g.secondHand, HandKind::Second, angles.second}};
  for (const auto& h : hands) {
    if (h.kind == HandKind::Second && data.settings.showSeconds == 0)
      continue;
    surface.Translate(pivot, pivot);
    surface.Rotate(h.angle);
    Draw(surface, hand, HandRect(h.size, h.kind, scale));
    surface.ResetTransform();
  }
  return frame;
}

// Where two frames first differ, for the failure message.
std::string FirstDifference(const DeviceImage& a, const DeviceImage& b)
{
  if (a.size() != b.size())
    return "sizes differ";
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) {
        char text[80];
        std::snprintf(text, sizeof text, "pixel %d,%d: %08x, drawn afresh %08x", x, y, a.Pixel(x, y), b.Pixel(x, y));
        return text;
      }
  return "none";
}

}  // namespace

TEST(FrameReference, KeptDialAndCursorHolesMatchThePlainOrderOfDrawing)
{
  const struct {
    ClockSettings settings;
    TimeOfDay time;
  } clocks[] = {
      {{.sizeStep = 32, .skin = 14, .dialStyle = 11, .transparency = 0}, {10, 8, 30}},
      {{.sizeStep = 0, .skin = 3, .dialStyle = 2, .transparency = 25}, {3, 0, 0}},
      {{.sizeStep = 50, .skin = 9, .dialStyle = 19, .transparency = 0, .showSeconds = 0}, {23, 59, 59}},
      {{.sizeStep = 1, .skin = 7, .dialStyle = 0, .transparency = 50, .showNumerals = 0}, {12, 0, 0}},
  };
  for (const auto& c : clocks) {
    const auto data = MakeSynthesisedClock(c.settings);
    const int d = data->geometry.diameter;
    FrameComposer composer;
    const PixelRect window{300, 200, d, d};
    // Every pixel of a band across the 12 o'clock marker and numeral, the centre, and a corner.
    for (int y = 0; y < d / 4; y += 1) {
      for (int x = d / 2 - 8; x <= d / 2 + 8; x += 2) {
        const DeviceImage kept = composer.Compose(*data, c.time, window, window.topLeft() + PixelPoint{x, y});
        const PixelPoint expectedHole = (x > 0 && y > 0) ? PixelPoint{x, y} : PixelPoint{-1, -1};
        const DeviceImage plain = PlainFrame(*data, c.time, expectedHole);
        ASSERT_EQ(kept, plain) << "D " << d << " hole at " << x << "," << y << ", " << FirstDifference(kept, plain);
      }
    }
    EXPECT_EQ(composer.Compose(*data, c.time, window, PixelPoint{0, 0}), PlainFrame(*data, c.time, {-1, -1}));
    EXPECT_EQ(composer.Compose(*data, c.time, window, window.topLeft() + PixelPoint{d / 2, d / 2}),
              PlainFrame(*data, c.time, {d / 2, d / 2}));
  }
}
