#include "raster/ArgbImage.h"

#include <new>

ArgbImage::ArgbImage(int width, int height)
{
  if (width <= 0 || height <= 0) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  try {
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0u);
  } catch (const std::bad_alloc&) {
    status_ = RasterStatus::OutOfMemory;
    return;
  }
  width_ = width;
  height_ = height;
}

void ArgbImage::SetPixel(int x, int y, std::uint32_t argb)
{
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = argb;
}

std::uint32_t ArgbImage::Pixel(int x, int y) const
{
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return 0;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}
