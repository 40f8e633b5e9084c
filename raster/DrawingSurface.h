#pragma once
#include <memory>

#include "raster/ArgbImage.h"
#include "raster/DeviceImage.h"

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
  RasterStatus lastStatus() const { return status_; }

private:
  struct Native;
  std::unique_ptr<Native> native_;
  RasterStatus status_ = RasterStatus::Ok;
};
