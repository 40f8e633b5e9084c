#include "raster/DeviceImage.h"

DeviceImage::DeviceImage(int width, int height)
{
  if (width <= 0 || height <= 0)
    return;
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0u);
  width_ = width;
  height_ = height;
}

DeviceImage Premultiplied(const ArgbImage& image)
{
  DeviceImage device(image.width(), image.height());
  const std::uint32_t* from = image.bits();
  std::uint32_t* to = device.bits();
  const std::size_t count = static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t p = from[i];
    const std::uint32_t a = p >> 24;
    if (a == 255) {
      to[i] = p;
      continue;
    }
    if (a == 0)
      continue;  // already transparent black
    to[i] = (a << 24) | (PremultiplyChannel((p >> 16) & 0xFF, a) << 16) | (PremultiplyChannel((p >> 8) & 0xFF, a) << 8) |
            PremultiplyChannel(p & 0xFF, a);
  }
  return device;
}
