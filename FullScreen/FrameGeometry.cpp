#include "FullScreen/FrameGeometry.h"

#include <cmath>

#include "model/Numbers.h"
#include "model/ClockSettings.h"
#include "model/X87Math.h"

namespace {
constexpr long double kHalfPi = 1.570796326794896619231321691639751442L;
constexpr long double kSixthPi = 0.523598775598298873077107230546583814L;
constexpr long double kDesignDiameter = 220.0L;
constexpr long double kNumeralDesignSize = 16.0L;
constexpr std::int32_t kMinNumeralSize = 6;
constexpr long double kShapedZeroDivisor = 2.6L;
constexpr long double kShapedDivisor = 2.9L;
constexpr long double kHourPivot = 0.85L;
constexpr long double kOtherPivot = 0.9L;
}  // namespace

long double FrameScale(std::int32_t diameter)
{
  return static_cast<long double>(diameter) / kDesignDiameter;
}

std::array<PixelPoint, 12> RingCentres(std::int32_t diameter, long double radiusDivisor)
{
  const long double d = static_cast<long double>(diameter);
  const long double ringRadius = d / radiusDivisor;
  const long double centre = d / 2.0L;
  std::array<PixelPoint, 12> centres{};
  long double a = 0.0L;
  for (PixelPoint& c : centres) {
    c.x = Round(X87Cos(a - kHalfPi) * ringRadius + centre);
    c.y = Round(X87Sin(a - kHalfPi) * ringRadius + centre);
    a = a + kSixthPi;
  }
  return centres;
}

long double NumeralRingDivisor(std::int32_t dialStyle)
{
  if (dialStyle > kLastShapedDialStyle)
    return kMarkerRingDivisor;
  if (dialStyle >= 1)
    return kShapedDivisor;
  // Style 0, and the negative styles that the face draws as style 0.
  return kShapedZeroDivisor;
}

PixelRect MarkerRect(PixelPoint centre, std::int32_t markerWidth, std::int32_t markerHeight, long double scale)
{
  const long double w = static_cast<long double>(markerWidth);
  const long double h = static_cast<long double>(markerHeight);
  return {centre.x - Round(w * 0.5L * scale), centre.y - Round(h * 0.5L * scale), Round(w * scale),
          Round(h * scale)};
}

std::int32_t NumeralSize(long double scale)
{
  const std::int32_t n = Round(scale * kNumeralDesignSize);
  return n < kMinNumeralSize ? kMinNumeralSize : n;
}

PixelRect NumeralRect(PixelPoint centre, std::int32_t numeralSize)
{
  const std::int32_t half = Round(static_cast<long double>(numeralSize) * 0.5L);
  return {centre.x - half, centre.y - half, numeralSize, numeralSize};
}

PixelRect HandRect(HandSize size, HandKind kind, long double scale)
{
  const long double k = kind == HandKind::Hour ? kHourPivot : kOtherPivot;
  const long double w = static_cast<long double>(size.width);
  const long double h = static_cast<long double>(size.height);
  return {-Round(w / 2.0L * scale), -Round(h * k * scale), Round(w * scale), Round(h * scale)};
}
