#pragma once
#include <cstdint>
#include <memory>

#include "skins/Picture.h"

struct SurfaceRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;   // exclusive
  std::int32_t bottom = 0;  // exclusive
};

// A 24-bit colour raster whose rows are stored bottom-up, like a bottom-up device-independent bitmap.
// A pixel is blue, green, red; rows are padded to a multiple of 4 bytes.
class RgbSurface {
public:
  RgbSurface();  // 24 bits, 1 x 1

  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  std::int32_t bitCount() const { return 24; }
  std::int32_t stride() const { return StrideOf(width_); }
  // Changes whenever the surface gets a new pixel store.
  std::uint64_t storeGeneration() const { return generation_; }

  // Resizing to the current size keeps the pixels; a new size gets a new, zeroed store.
  void SetSurfaceWidth(std::int32_t width);
  void SetSurfaceHeight(std::int32_t height);

  // Row y counted from the top; throws "Index of the scanning line exceeded the range. (%d)".
  std::uint8_t* ScanRow(std::int32_t y);
  const std::uint8_t* ScanRow(std::int32_t y) const;

  // Nearest-neighbour point sampling of the picture into the rectangle (one picture pixel per
  // destination pixel, no filtering); parts of the rectangle outside the surface are clipped.
  void PaintStretched(const SurfaceRect& rect, const Picture& picture);
  // Bilinear sampling of the picture into the whole rectangle, pixel centres on pixel centres, in
  // integer steps of 1/65536 so that every system computes the same bytes; clipped as above.
  void PaintSmooth(const SurfaceRect& rect, const Picture& picture);
  // The picture unscaled with its top-left pixel at (x, y).
  void PaintAt(std::int32_t x, std::int32_t y, const Picture& picture);

  // Bytes per row: 3 x width raised to a multiple of 4. Computed wide so no width overflows it.
  static std::int64_t WideStrideOf(std::int32_t width) { return ((24 * std::int64_t{width} + 31) / 32) * 4; }
  static std::int32_t StrideOf(std::int32_t width) { return static_cast<std::int32_t>(WideStrideOf(width)); }

private:
  void Resize(std::int32_t width, std::int32_t height);
  void Paint(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, const Picture& picture);

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::uint64_t generation_ = 0;
  std::unique_ptr<std::uint8_t[]> store_;
};
