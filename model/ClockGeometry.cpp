#include "model/ClockGeometry.h"

#include <algorithm>

#include "model/Numbers.h"

std::int32_t DiameterOf(std::int32_t sizeStep)
{
  const std::int64_t d = 3 * static_cast<std::int64_t>(sizeStep) + 70;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(d, 1, kMaxDiameter));
}

std::int32_t OddDiameterOf(std::int32_t sizeStep)
{
  const std::int32_t d = DiameterOf(sizeStep);
  return d % 2 == 0 ? d + 1 : d;
}

std::int32_t DeviceDiameterOf(std::int32_t diameter, long double scale)
{
  // Not a number falls back to 1.
  const long double s = scale >= 1.0L / kMaxDeviceScale ? std::min(scale, kMaxDeviceScale) : 1.0L;
  return std::clamp<std::int32_t>(Round(Extended(static_cast<long double>(diameter) * s)), 1, kMaxDeviceDiameter);
}

std::int32_t RadiusOf(std::int32_t diameter)
{
  return diameter / 2;
}

void SetHandSizes(ClockGeometry& geometry, std::int32_t handWidth)
{
  // q is stored as an extended real first; each width is then product plus constant, rounded once.
  const long double q = Extended(static_cast<long double>(handWidth + 10) / 25.0L);
  const long double second = Extended(7.5L * q);
  const long double minute = Extended(11.25L * q);
  const long double hour = Extended(15.0L * q);
  geometry.secondHand = {Round(Extended(second + 1.0L)), 100};
  geometry.minuteHand = {Round(Extended(minute + 2.0L)), Round(100.0L * Extended(0.8L))};
  geometry.hourHand = {Round(Extended(hour + 3.0L)), Round(100.0L * Extended(0.6L))};
}

HandAngles HandAnglesAt(int hours, int minutes, int seconds)
{
  HandAngles angles;
  angles.second = static_cast<long double>(seconds) * 6.0L;
  angles.minute = static_cast<long double>(minutes) * 6.0L;
  const int h = hours >= 12 ? hours - 12 : hours;
  angles.hour = static_cast<long double>(h) * 30.0L + static_cast<long double>(minutes) / 2.0L;
  return angles;
}
