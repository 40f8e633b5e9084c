#include "Clocks/FaceShape.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace {
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kCentreTerm = 1e-9L;  // keeps r above zero at the exact centre
constexpr long double kRimStart = 0.9L;
constexpr std::int32_t kLastShapedStyle = 7;

long double Fourth(long double v)
{
  const long double square = v * v;
  return square * square;
}

// r' from r and the angle; every formula uses the unshaped r.
long double ShapedRadius(std::int32_t style, long double r, long double theta)
{
  switch (style) {
  case 1:
    return 1.2L * r - 0.2L * std::fabs(std::cos(1.3L * kPi * theta));
  case 2:
    return 1.2L * r - 0.2L * std::fabs(std::cos(kPi * theta));
  case 3:
    return 1.2L * r - 0.2L * std::fabs(std::sin(0.97L * kPi * theta));
  case 4:
    return r + 0.1L * std::fabs(std::cos(0.8L * kPi * theta));
  case 5:
    return 1.2L * r - 0.2L * std::sqrt(std::fabs(0.5L * std::cos(kPi * theta) + 0.5L * std::cos(2.5L * kPi * theta)));
  case 6:
    return 1.2L * r - 0.2L * std::sqrt(std::fabs(0.5L * std::cos(kPi * theta) - 0.5L * std::cos(2.5L * kPi * theta)));
  case 7:
    return 1.2L * r -
           0.2L * std::sqrt(std::fabs(0.5L * std::cos(kPi * (theta * theta)) + 0.5L * std::cos(2.5L * kPi * std::sqrt(theta))));
  default:
    return r;
  }
}
}  // namespace

std::int32_t FaceShapeKey(std::int32_t dialStyle)
{
  if (dialStyle > kLastShapedStyle)
    return kPlainDiscKey;
  return std::max<std::int32_t>(dialStyle, 0);
}

FaceShapeValues ComputeFaceShape(long double absX, long double absY, std::int32_t shapeKey)
{
  FaceShapeValues v;
  v.r = std::sqrt(absX * absX + absY * absY + kCentreTerm);
  v.shaped = v.r;
  if (v.r > 1.0L)
    return v;
  if (shapeKey == kPlainDiscKey) {
    v.shade = 1.0L - 0.95L * Fourth(v.r);
    v.kind = FacePixelKind::Plain;
    return v;
  }
  if (shapeKey != 0)
    v.shaped = ShapedRadius(shapeKey, v.r, std::acos(absX / v.r));
  v.shade = 1.0L - Fourth(v.shaped);
  v.kind = FacePixelKind::Plain;
  if (v.shaped >= kRimStart) {
    v.light = std::fabs(std::sin(10.0L * kPi * std::fabs(kRimStart - v.shaped) + 2.0L * v.shade));
    v.kind = v.shaped > 1.0L ? FacePixelKind::HiddenRim : FacePixelKind::Rim;
  }
  return v;
}

void UpdateFaceShape(FaceShapeCache& cache, std::int32_t diameter, std::int32_t dialStyle)
{
  const std::int32_t key = FaceShapeKey(dialStyle);
  if (cache.valid && cache.diameter == diameter && cache.shapeKey == key)
    return;
  cache.valid = false;
  const std::int32_t n = std::max<std::int32_t>(diameter, 0);

  // Rows and columns use the same coordinate formula, so one axis table serves both.
  std::map<long double, std::int32_t> indexOf;
  std::vector<long double> values;
  cache.axisIndex.assign(static_cast<std::size_t>(n), 0);
  for (std::int32_t k = 0; k < n; ++k) {
    const long double x = static_cast<long double>(2 * k) / static_cast<long double>(n) - 1.0L;
    const auto [it, added] = indexOf.try_emplace(std::fabs(x), static_cast<std::int32_t>(values.size()));
    if (added)
      values.push_back(std::fabs(x));
    cache.axisIndex[static_cast<std::size_t>(k)] = it->second;
  }

  cache.distinct = static_cast<std::int32_t>(values.size());
  cache.cells.assign(values.size() * values.size(), FaceShapeCell{});
  for (std::size_t row = 0; row < values.size(); ++row) {
    for (std::size_t column = 0; column < values.size(); ++column) {
      const FaceShapeValues v = ComputeFaceShape(values[column], values[row], key);
      FaceShapeCell& cell = cache.cells[row * values.size() + column];
      cell.kind = v.kind;
      if (v.kind == FacePixelKind::Plain) {
        cell.alpha255 = v.shade * 255.0L;
      } else if (v.kind == FacePixelKind::Rim || v.kind == FacePixelKind::HiddenRim) {
        cell.alpha255 = v.light * 255.0L;
        cell.lift = 0.6L * Fourth(v.light);
        cell.gain = 0.6L * v.light + 0.4L;
      }
    }
  }
  cache.diameter = diameter;
  cache.shapeKey = key;
  cache.valid = true;
}
