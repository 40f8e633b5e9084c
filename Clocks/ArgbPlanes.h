#pragma once
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "model/ClockGeometry.h"

// One plane of Rows x Columns values, zero until written. Kept in its own zeroed block, so the rows
// a smaller clock never writes cost no memory.
template <int Rows, int Columns>
class Plane {
public:
  using Row = std::array<std::int32_t, Columns>;

  Plane() : rows_(static_cast<Row*>(std::calloc(Rows, sizeof(Row))))
  {
    if (!rows_)
      throw std::bad_alloc();
  }
  Plane(const Plane& other) : Plane() { *this = other; }
  Plane& operator=(const Plane& other)
  {
    if (this != &other)
      std::memcpy(rows_.get(), other.rows_.get(), sizeof(Row) * Rows);
    return *this;
  }

  Row& operator[](int row) { return rows_[static_cast<std::size_t>(row)]; }
  const Row& operator[](int row) const { return rows_[static_cast<std::size_t>(row)]; }
  Row* begin() { return rows_.get(); }
  Row* end() { return rows_.get() + Rows; }
  const Row* begin() const { return rows_.get(); }
  const Row* end() const { return rows_.get() + Rows; }

private:
  struct Free {
    void operator()(Row* rows) const { std::free(rows); }
  };
  std::unique_ptr<Row[], Free> rows_;
};

// Four parallel planes indexed [row][column], row 0 at the top.
template <int Rows, int Columns>
struct ArgbPlanes {
  static constexpr int kRows = Rows;
  static constexpr int kColumns = Columns;
  Plane<Rows, Columns> alpha;
  Plane<Rows, Columns> red;
  Plane<Rows, Columns> green;
  Plane<Rows, Columns> blue;

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
