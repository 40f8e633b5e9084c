#pragma once
#include <QImage>
#include <QPainter>

#include "platform/raster/ArgbImage.h"

// The image as Qt reads it, without a copy: valid while the image lives and is not written.
QImage ImageView(const ArgbImage& image);
// A premultiplied device image over transparent black, alpha kept (null for a null image).
QImage DeviceImage(const ArgbImage& image);

// A drawing target over a premultiplied device image with a world transform; images are drawn
// scaled with bilinear smoothing, source-over, keeping alpha.
class DrawingSurface {
public:
  explicit DrawingSurface(QImage& target);
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
  QPainter painter_;
  RasterStatus status_ = RasterStatus::Ok;
};
