#include "Clocks/FaceShape.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "Clocks/Shade.h"
#include "model/ClockSettings.h"
#include "model/X87Math.h"

namespace {
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kCentreTerm = 1e-9L;  // keeps r above zero at the exact centre
constexpr long double kRimStart = 0.9L;
constexpr long double kSurelyOutside = 1.000001L;

struct LibraryTrig {
  static long double Sin(long double v) { return std::sin(v); }
  static long double Cos(long double v) { return std::cos(v); }
  static long double Acos(long double v) { return std::acos(v); }
};

struct X87Trig {
  static long double Sin(long double v) { return X87Sin(v); }
  static long double Cos(long double v) { return X87Cos(v); }
  static long double Acos(long double v) { return X87Acos(v); }
};

long double Fourth(long double v)
{
  const long double square = v * v;
  return square * square;
}

// r' from r and the angle; every formula uses the unshaped r.
template <class Trig>
long double ShapedRadius(std::int32_t style, long double r, long double theta)
{
  switch (style) {
  case 1:
    return 1.2L * r - 0.2L * std::fabs(Trig::Cos(1.3L * kPi * theta));
  case 2:
    return 1.2L * r - 0.2L * std::fabs(Trig::Cos(kPi * theta));
  case 3:
    return 1.2L * r - 0.2L * std::fabs(Trig::Sin(0.97L * kPi * theta));
  case 4:
    return r + 0.1L * std::fabs(Trig::Cos(0.8L * kPi * theta));
  case 5:
    return 1.2L * r - 0.2L * std::sqrt(std::fabs(0.5L * Trig::Cos(kPi * theta) + 0.5L * Trig::Cos(2.5L * kPi * theta)));
  case 6:
    return 1.2L * r - 0.2L * std::sqrt(std::fabs(0.5L * Trig::Cos(kPi * theta) - 0.5L * Trig::Cos(2.5L * kPi * theta)));
  case 7:
    return 1.2L * r - 0.2L * std::sqrt(std::fabs(0.5L * Trig::Cos(kPi * (theta * theta)) +
                                                 0.5L * Trig::Cos(2.5L * kPi * std::sqrt(theta))));
  default:
    return r;
  }
}

long double SquaredRadius(long double absX, long double absY)
{
  return absX * absX + absY * absY + kCentreTerm;
}

long double Radius(long double absX, long double absY)
{
  return std::sqrt(SquaredRadius(absX, absY));
}

long double DiscShade(long double r)
{
  return Shade(Fourth(r));
}

template <class Trig>
FaceShapeValues Compute(long double absX, long double absY, std::int32_t shapeKey)
{
  FaceShapeValues v;
  v.r = Radius(absX, absY);
  v.shaped = v.r;
  if (v.r > 1.0L)
    return v;
  if (shapeKey == kPlainDiscKey) {
    v.shade = DiscShade(v.r);
    v.kind = FacePixelKind::Plain;
    return v;
  }
  if (shapeKey != 0)
    v.shaped = ShapedRadius<Trig>(shapeKey, v.r, Trig::Acos(absX / v.r));
  v.shade = 1.0L - Fourth(v.shaped);
  v.kind = FacePixelKind::Plain;
  if (v.shaped >= kRimStart) {
    v.light = std::fabs(Trig::Sin(10.0L * kPi * std::fabs(kRimStart - v.shaped) + 2.0L * v.shade));
    v.kind = v.shaped > 1.0L ? FacePixelKind::HiddenRim : FacePixelKind::Rim;
  }
  return v;
}

FaceShapeCell CellOf(const FaceShapeValues& v, std::vector<FaceRimLight>& rims)
{
  FaceShapeCell cell;
  cell.kind = v.kind;
  if (v.kind == FacePixelKind::Plain) {
    cell.alpha255 = v.shade * 255.0L;
  } else if (v.kind == FacePixelKind::Rim || v.kind == FacePixelKind::HiddenRim) {
    cell.alpha255 = v.light * 255.0L;
    cell.rim = static_cast<std::int32_t>(rims.size());
    rims.push_back({0.6L * Fourth(v.light), 0.6L * v.light + 0.4L});
  }
  return cell;
}

template <class Trig>
void FillCells(FaceShapeCache& cache, const std::vector<long double>& values, std::int32_t key)
{
  const std::size_t n = values.size();
  if (key == kPlainDiscKey) {
    // The disc depends on x^2 + y^2 alone, which is bitwise the same with x and y swapped.
    for (std::size_t row = 0; row < n; ++row) {
      for (std::size_t column = 0; column <= row; ++column) {
        const long double square = SquaredRadius(values[column], values[row]);
        FaceShapeCell cell;
        // Well beyond 1 the root is beyond 1 too: the corners need no square root.
        if (square < kSurelyOutside) {
          const long double r = std::sqrt(square);
          if (r <= 1.0L) {
            cell.kind = FacePixelKind::Plain;
            cell.alpha255 = DiscShade(r) * 255.0L;
          }
        }
        cache.cells[row * n + column] = cell;
        cache.cells[column * n + row] = cell;
      }
    }
    return;
  }
  for (std::size_t row = 0; row < n; ++row)
    for (std::size_t column = 0; column < n; ++column)
      cache.cells[row * n + column] = CellOf(Compute<Trig>(values[column], values[row], key), cache.rims);
}
}  // namespace

std::int32_t FaceShapeKey(std::int32_t dialStyle)
{
  if (dialStyle > kLastShapedDialStyle)
    return kPlainDiscKey;
  return std::max<std::int32_t>(dialStyle, 0);
}

FaceShapeValues ComputeFaceShape(long double absX, long double absY, std::int32_t shapeKey, FaceTrig trig)
{
  return trig == FaceTrig::X87 ? Compute<X87Trig>(absX, absY, shapeKey) : Compute<LibraryTrig>(absX, absY, shapeKey);
}

void UpdateFaceShape(FaceShapeCache& cache, std::int32_t diameter, std::int32_t dialStyle, FaceTrig trig)
{
  const std::int32_t key = FaceShapeKey(dialStyle);
  if (cache.valid && cache.diameter == diameter && cache.shapeKey == key && cache.trig == trig)
    return;
  cache.valid = false;
  const std::int32_t n = std::max<std::int32_t>(diameter, 0);

  // Rows and columns use the same coordinate formula, so one axis table serves both. Mirrored
  // coordinates often differ in their last bit, so cells are shared only where they are equal.
  std::map<long double, std::int32_t> indexOf;
  std::vector<long double> values;
  cache.axisIndex.resize(static_cast<std::size_t>(n));
  for (std::int32_t k = 0; k < n; ++k) {
    const long double x = static_cast<long double>(2 * k) / static_cast<long double>(n) - 1.0L;
    const auto [it, added] = indexOf.try_emplace(std::fabs(x), static_cast<std::int32_t>(values.size()));
    if (added)
      values.push_back(std::fabs(x));
    cache.axisIndex[static_cast<std::size_t>(k)] = it->second;
  }

  cache.distinct = static_cast<std::int32_t>(values.size());
  cache.cells.resize(values.size() * values.size());  // every cell is written below
  cache.rims.clear();
  if (trig == FaceTrig::X87)
    FillCells<X87Trig>(cache, values, key);
  else
    FillCells<LibraryTrig>(cache, values, key);
  cache.diameter = diameter;
  cache.shapeKey = key;
  cache.trig = trig;
  cache.valid = true;
}
