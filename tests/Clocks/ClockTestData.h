#pragma once
// Helpers shared by the clock image tests: a clock on the heap and surfaces filled by hand.
#include <cstdint>
#include <memory>

#include "Clocks/ClockData.h"

inline std::unique_ptr<ClockData> NewClock()
{
  return std::make_unique<ClockData>();
}

inline void FillSurface(RgbSurface& surface, int red, int green, int blue)
{
  for (int y = 0; y < surface.height(); ++y) {
    std::uint8_t* row = surface.ScanRow(y);
    for (int x = 0; x < surface.width(); ++x) {
      row[3 * x] = static_cast<std::uint8_t>(blue);
      row[3 * x + 1] = static_cast<std::uint8_t>(green);
      row[3 * x + 2] = static_cast<std::uint8_t>(red);
    }
  }
}

// Every byte different from its neighbours, varying with the seed.
inline void FillPattern(RgbSurface& surface, std::uint32_t seed)
{
  std::uint32_t state = seed * 2654435761u + 12345u;
  for (int y = 0; y < surface.height(); ++y) {
    std::uint8_t* row = surface.ScanRow(y);
    for (int x = 0; x < 3 * surface.width(); ++x) {
      state = state * 1664525u + 1013904223u;
      row[x] = static_cast<std::uint8_t>(state >> 24);
    }
  }
}

inline void FillPlanes(ArgbPlanes& planes, int alpha, int red, int green, int blue)
{
  planes.Fill(alpha, red, green, blue);
}

// The first differing entry, or -1 when the planes are equal.
inline int FirstDifference(const ArgbPlanes& a, const ArgbPlanes& b)
{
  for (int row = 0; row < a.rows(); ++row)
    for (int column = 0; column < a.columns(); ++column)
      if (a.alpha[row][column] != b.alpha[row][column] || a.red[row][column] != b.red[row][column] ||
          a.green[row][column] != b.green[row][column] || a.blue[row][column] != b.blue[row][column])
        return row * a.columns() + column;
  return -1;
}
