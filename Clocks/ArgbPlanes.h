#pragma once
#include <array>
#include <cstdint>

#include "model/ClockGeometry.h"

// Four parallel planes indexed [row][column], row 0 at the top.
template <int Rows, int Columns>
struct ArgbPlanes {
  static constexpr int kRows = Rows;
  static constexpr int kColumns = Columns;
  using Plane = std::array<std::array<std::int32_t, Columns>, Rows>;
  Plane alpha{};
  Plane red{};
  Plane green{};
  Plane blue{};

  // alpha x 2^24 + red x 2^16 + green x 2^8 + blue, each value taken as its low 8 bits.
  std::uint32_t Argb(int row, int column) const
  {
    return (static_cast<std::uint32_t>(alpha[row][column] & 0xFF) << 24) |
           (static_cast<std::uint32_t>(red[row][column] & 0xFF) << 16) |
           (static_cast<std::uint32_t>(green[row][column] & 0xFF) << 8) |
           static_cast<std::uint32_t>(blue[row][column] & 0xFF);
  }
};

using FacePlanes = ArgbPlanes<kMaxDiameter, kMaxDiameter>;
using MarkerPlanes = ArgbPlanes<36, 36>;
using HandPlanes = ArgbPlanes<101, 31>;
