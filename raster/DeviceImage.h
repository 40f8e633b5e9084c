#pragma once
#include <cstdint>
#include <vector>

#include "model/PixelGeometry.h"
#include "raster/ArgbImage.h"

// A 32-bit premultiplied ARGB image as window systems present it: a pixel is 0xAARRGGBB with the
// colour already multiplied by alpha, rows top to bottom, width() pixels each, no padding. In memory
// (little endian) that is the byte order of a Windows 32-bit DIB and of Qt's premultiplied ARGB.
class DeviceImage {
public:
  DeviceImage() = default;
  DeviceImage(int width, int height);  // transparent black; null when either side is not positive

  int width() const { return width_; }
  int height() const { return height_; }
  PixelSize size() const { return {width_, height_}; }
  PixelRect rect() const { return {0, 0, width_, height_}; }
  bool isNull() const { return pixels_.empty(); }
  std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
  const std::uint32_t* row(int y) const
  {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  std::uint32_t* bits() { return pixels_.data(); }
  const std::uint32_t* bits() const { return pixels_.data(); }
  std::uint32_t Pixel(int x, int y) const { return row(y)[x]; }
  bool operator==(const DeviceImage&) const = default;

private:
  std::vector<std::uint32_t> pixels_;
  int width_ = 0;
  int height_ = 0;
};

// One colour channel times alpha / 255, with the shift-and-add division the drawing libraries use (it
// differs from exact rounding in a few dozen of the 65536 pairs; the frames were always made with it).
inline std::uint32_t PremultiplyChannel(std::uint32_t channel, std::uint32_t alpha)
{
  const std::uint32_t t = channel * alpha;
  return (t + (t >> 8) + 0x80) >> 8;
}

// The image premultiplied over transparent black, alpha kept; a pixel of alpha 0 becomes 0 whatever its
// colour bytes held (null for a null image).
DeviceImage Premultiplied(const ArgbImage& image);
