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
  return Extended(static_cast<long double>(diameter) / kDesignDiameter);
}

// Every constant and every step in 80-bit extended precision, wherever long double is wider.
std::array<PixelPoint, 12> RingCentres(std::int32_t diameter, long double radiusDivisor)
{
  const long double d = static_cast<long double>(diameter);
  const long double ringRadius = Extended(d / Extended(radiusDivisor));
  const long double centre = d / 2.0L;
  const long double halfPi = Extended(kHalfPi);
  const long double sixthPi = Extended(kSixthPi);
  std::array<PixelPoint, 12> centres{};
  long double a = 0.0L;
  for (PixelPoint& c : centres) {
    const long double angle = Extended(a - halfPi);
    c.x = Round(Extended(Extended(Extended(X87Cos(angle)) * ringRadius) + centre));
    c.y = Round(Extended(Extended(Extended(X87Sin(angle)) * ringRadius) + centre));
    a = Extended(a + sixthPi);
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
  return {centre.x - Round(Extended(w * 0.5L * scale)), centre.y - Round(Extended(h * 0.5L * scale)),
          Round(Extended(w * scale)), Round(Extended(h * scale))};
}

std::int32_t NumeralSize(long double scale)
{
  const std::int32_t n = Round(Extended(scale * kNumeralDesignSize));
  return n < kMinNumeralSize ? kMinNumeralSize : n;
}

PixelRect NumeralRect(PixelPoint centre, std::int32_t numeralSize)
{
  const std::int32_t half = Round(static_cast<long double>(numeralSize) * 0.5L);
  return {centre.x - half, centre.y - half, numeralSize, numeralSize};
}

PixelRect HandRect(HandSize size, HandKind kind, long double scale)
{
  const long double k = Extended(kind == HandKind::Hour ? kHourPivot : kOtherPivot);
  const long double w = static_cast<long double>(size.width);
  const long double h = static_cast<long double>(size.height);
  return {-Round(Extended(w / 2.0L * scale)), -Round(Extended(Extended(h * k) * scale)), Round(Extended(w * scale)),
          Round(Extended(h * scale))};
}
