#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "model/ClockGeometry.h"

// One plane of rows x columns values, zero until written. Kept in its own zeroed block, so the rows
// a smaller clock never writes cost no memory.
class Plane {
public:
  Plane(int rows, int columns) : rows_(rows), columns_(columns), values_(Allocate(rows, columns)) {}
  Plane(const Plane& other) : Plane(other.rows_, other.columns_) { *this = other; }
  Plane& operator=(const Plane& other)
  {
    if (this == &other)
      return *this;
    if (rows_ != other.rows_ || columns_ != other.columns_) {
      values_.reset(Allocate(other.rows_, other.columns_));
      rows_ = other.rows_;
      columns_ = other.columns_;
    }
    std::memcpy(values_.get(), other.values_.get(), Bytes(rows_, columns_));
    return *this;
  }

  std::int32_t* operator[](int row) { return values_.get() + Offset(row); }
  const std::int32_t* operator[](int row) const { return values_.get() + Offset(row); }
  int rows() const { return rows_; }
  int columns() const { return columns_; }
  void Fill(std::int32_t value) { std::fill_n(values_.get(), Offset(rows_), value); }

  // At least rows x columns, what the plane holds kept at its place and the rest zero.
  void Grow(int rows, int columns)
  {
    if (rows <= rows_ && columns <= columns_)
      return;
    Plane larger(std::max(rows, rows_), std::max(columns, columns_));
    for (int row = 0; row < rows_; ++row)
      std::memcpy(larger[row], (*this)[row], sizeof(std::int32_t) * static_cast<std::size_t>(columns_));
    *this = std::move(larger);
  }
  Plane(Plane&&) noexcept = default;
  Plane& operator=(Plane&&) noexcept = default;

private:
  struct Free {
    void operator()(std::int32_t* values) const { std::free(values); }
  };
  static std::size_t Bytes(int rows, int columns)
  {
    return sizeof(std::int32_t) * static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
  }
  static std::int32_t* Allocate(int rows, int columns)
  {
    auto* values = static_cast<std::int32_t*>(std::calloc(std::max<std::size_t>(Bytes(rows, columns), 1), 1));
    if (!values)
      throw std::bad_alloc();
    return values;
  }
  std::size_t Offset(int row) const
  {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_);
  }

  int rows_;
  int columns_;
  std::unique_ptr<std::int32_t[], Free> values_;
};

// Four parallel planes indexed [row][column], row 0 at the top.
struct ArgbPlanes {
  ArgbPlanes(int rows, int columns) : alpha(rows, columns), red(rows, columns), green(rows, columns), blue(rows, columns)
  {
  }
  Plane alpha;
  Plane red;
  Plane green;
  Plane blue;

  int rows() const { return alpha.rows(); }
  int columns() const { return alpha.columns(); }
  // alpha x 2^24 + red x 2^16 + green x 2^8 + blue, each value taken as its low 8 bits.
  std::uint32_t Argb(int row, int column) const
  {
    return (static_cast<std::uint32_t>(alpha[row][column] & 0xFF) << 24) |
           (static_cast<std::uint32_t>(red[row][column] & 0xFF) << 16) |
           (static_cast<std::uint32_t>(green[row][column] & 0xFF) << 8) |
           static_cast<std::uint32_t>(blue[row][column] & 0xFF);
  }
  void Fill(int a, int r, int g, int b)
  {
    alpha.Fill(a);
    red.Fill(r);
    green.Fill(g);
    blue.Fill(b);
  }
};

// The face at the largest diameter a settings step gives; a clock drawn for a denser screen makes
// them larger when it needs to.
struct FacePlanes : ArgbPlanes {
  FacePlanes() : ArgbPlanes(kMaxDiameter, kMaxDiameter) {}
  // At least side x side; what the planes hold stays.
  void Grow(int side)
  {
    for (Plane* plane : {&alpha, &red, &green, &blue})
      plane->Grow(side, side);
  }
};

template <int Rows, int Columns>
struct FixedArgbPlanes : ArgbPlanes {
  static constexpr int kRows = Rows;
  static constexpr int kColumns = Columns;
  FixedArgbPlanes() : ArgbPlanes(Rows, Columns) {}
};
using MarkerPlanes = FixedArgbPlanes<36, 36>;
using HandPlanes = FixedArgbPlanes<101, 31>;
