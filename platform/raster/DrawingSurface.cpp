#include "platform/raster/DrawingSurface.h"

QImage ImageView(const ArgbImage& image)
{
  if (image.isNull())
    return {};
  return QImage(reinterpret_cast<const uchar*>(image.bits()), image.width(), image.height(),
                static_cast<qsizetype>(image.width()) * 4, QImage::Format_ARGB32);
}

QImage DeviceImage(const ArgbImage& image)
{
  // Qt premultiplies with rounding; a pixel of alpha 0 becomes 0 whatever its colour bytes held.
  return ImageView(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

DrawingSurface::DrawingSurface(QImage& target)
{
  if (target.isNull() || !painter_.begin(&target)) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  // Bilinear image drawing, source-over: the defaults the frame relies on.
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

DrawingSurface::~DrawingSurface()
{
  if (painter_.isActive())
    painter_.end();
}

void DrawingSurface::Translate(long double dx, long double dy)
{
  if (!painter_.isActive()) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  painter_.translate(static_cast<qreal>(dx), static_cast<qreal>(dy));
}

void DrawingSurface::Rotate(long double degrees)
{
  if (!painter_.isActive()) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  // QPainter prepends: the rotation applies before the translation already set, and y grows
  // downwards, so positive degrees turn clockwise on screen.
  painter_.rotate(static_cast<qreal>(degrees));
}

void DrawingSurface::ResetTransform()
{
  if (!painter_.isActive()) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  painter_.resetTransform();
}

void DrawingSurface::DrawImageRect(const ArgbImage& image, long double left, long double top, long double width,
                                   long double height)
{
  if (!painter_.isActive() || image.isNull()) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  const QRectF target(static_cast<qreal>(left), static_cast<qreal>(top), static_cast<qreal>(width),
                      static_cast<qreal>(height));
  const QImage view = ImageView(image);
  painter_.drawImage(target, view, QRectF(view.rect()));
}
