#pragma once
#include <cstdint>

#include <QImage>

// Outcome of a raster call; each object keeps its last failure.
enum class RasterStatus { Ok, InvalidParameter, OutOfMemory };

// A 32-bit non-premultiplied ARGB image; a pixel is alpha x 2^24 + red x 2^16 + green x 2^8 + blue.
class ArgbImage {
public:
  ArgbImage() = default;
  ArgbImage(int width, int height);

  int width() const;
  int height() const;
  // Stored unchanged; writes outside the image change nothing.
  void SetPixel(int x, int y, std::uint32_t argb);
  std::uint32_t Pixel(int x, int y) const;
  // A premultiplied device image over transparent black, alpha kept.
  QImage ToDeviceImage() const;
  const QImage& image() const { return image_; }
  RasterStatus lastStatus() const { return status_; }

private:
  QImage image_;
  RasterStatus status_ = RasterStatus::Ok;
};
