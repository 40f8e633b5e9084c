#pragma once
#include <cstdint>
#include <vector>

// A decoded catalogue picture: rows top to bottom, three bytes per pixel in the order blue, green, red.
struct Picture {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> bgr;

  const std::uint8_t* Pixel(std::int32_t x, std::int32_t y) const
  {
    return bgr.data() + (static_cast<std::size_t>(y) * width + x) * 3;
  }
};
