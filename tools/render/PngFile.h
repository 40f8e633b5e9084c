#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "raster/DeviceImage.h"

// An 8-bit RGBA picture, not premultiplied, rows top to bottom: what the tool writes.
struct RgbaImage {
  RgbaImage() = default;
  RgbaImage(int width, int height);
  void Set(int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha);

  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bytes;  // red, green, blue, alpha per pixel
};

// A presented frame with its colour divided by alpha again (rounded to the nearest).
RgbaImage RgbaOfFrame(const DeviceImage& frame);

// Writes the picture as an 8-bit RGBA PNG; throws std::runtime_error when the file cannot be written.
void WritePng(const RgbaImage& image, const std::string& path);
