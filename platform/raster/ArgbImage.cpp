#include "platform/raster/ArgbImage.h"

ArgbImage::ArgbImage(int width, int height)
{
  if (width <= 0 || height <= 0) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  image_ = QImage(width, height, QImage::Format_ARGB32);
  if (image_.isNull()) {
    status_ = RasterStatus::OutOfMemory;
    return;
  }
  image_.fill(0u);
}

int ArgbImage::width() const
{
  return image_.width();
}

int ArgbImage::height() const
{
  return image_.height();
}

void ArgbImage::SetPixel(int x, int y, std::uint32_t argb)
{
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  reinterpret_cast<std::uint32_t*>(image_.scanLine(y))[x] = argb;
}

std::uint32_t ArgbImage::Pixel(int x, int y) const
{
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
    return 0;
  return reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y))[x];
}

QImage ArgbImage::ToDeviceImage() const
{
  if (image_.isNull())
    return {};
  // Qt premultiplies with rounding; a pixel of alpha 0 becomes 0 whatever its colour bytes held.
  return image_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
