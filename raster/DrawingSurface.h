#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "raster/ArgbImage.h"
#include "raster/DeviceImage.h"
#include "model/PixelGeometry.h"

// A drawing target over a premultiplied device image with a world transform; images are drawn
// scaled with the platform's bilinear smoothing, source-over, keeping alpha. Each platform draws with
// its own library (Qt's QPainter, GDI+ on Windows).
class DrawingSurface {
public:
  explicit DrawingSurface(DeviceImage& target);
  ~DrawingSurface();
  DrawingSurface(const DrawingSurface&) = delete;
  DrawingSurface& operator=(const DrawingSurface&) = delete;

  void Translate(long double dx, long double dy);
  // Prepended to the transform; positive degrees turn clockwise on screen.
  void Rotate(long double degrees);
  void ResetTransform();
  void DrawImageRect(const ArgbImage& image, long double left, long double top, long double width, long double height);
  // Writes one line of UTF-8 text in the desktop's own font, antialiased, `pixelHeight` pixels high,
  // centred in `box` and cut short with an ellipsis where it is wider, in the colour 0xRRGGBB; the
  // transform does not apply. Nothing is written where the platform has no fonts to offer (a tool
  // without a display).
  void DrawText(const std::string& text, std::uint32_t rgb, PixelRect box, int pixelHeight);
  RasterStatus lastStatus() const { return status_; }

private:
  struct Native;
  std::unique_ptr<Native> native_;
  RasterStatus status_ = RasterStatus::Ok;
};
