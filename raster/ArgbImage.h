#pragma once
#include <cstdint>
#include <vector>

// Outcome of a raster call; each object keeps its last failure.
enum class RasterStatus { Ok, InvalidParameter, OutOfMemory };

// A 32-bit non-premultiplied ARGB image; a pixel is alpha x 2^24 + red x 2^16 + green x 2^8 + blue,
// rows top to bottom. Plain memory: the drawing layer of each platform reads it as it is.
class ArgbImage {
public:
  ArgbImage() = default;
  ArgbImage(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool isNull() const { return pixels_.empty(); }
  // Stored unchanged; writes outside the image change nothing.
  void SetPixel(int x, int y, std::uint32_t argb);
  std::uint32_t Pixel(int x, int y) const;
  // Row after row, width() pixels each.
  const std::uint32_t* bits() const { return pixels_.data(); }
  RasterStatus lastStatus() const { return status_; }

private:
  std::vector<std::uint32_t> pixels_;
  int width_ = 0;
  int height_ = 0;
  RasterStatus status_ = RasterStatus::Ok;
};
