#pragma once
#include <array>
#include <cstdint>

#include "model/ClockGeometry.h"
#include "model/PixelGeometry.h"

enum class HandKind { Hour, Minute, Second };

// D / 220.
long double FrameScale(std::int32_t diameter);

// The twelve ring centres, 12 o'clock first and clockwise, on a circle of radius D / divisor about the
// real centre D / 2; the angle is accumulated by twelve additions of pi/6 (not twelve products), whose
// rounding the ring positions carry.
std::array<PixelPoint, 12> RingCentres(std::int32_t diameter, long double radiusDivisor);

// The marker ring's divisor, and the numeral ring's by dial style.
inline constexpr long double kMarkerRingDivisor = 2.4L;
long double NumeralRingDivisor(std::int32_t dialStyle);

// The marker sprite's destination about a ring centre.
PixelRect MarkerRect(PixelPoint centre, std::int32_t markerWidth, std::int32_t markerHeight, long double scale);

// Numeral size: Round(scale x 16), never below 6.
std::int32_t NumeralSize(long double scale);
PixelRect NumeralRect(PixelPoint centre, std::int32_t numeralSize);

// A hand's destination in rotated coordinates about the pivot, tip towards 12 o'clock.
PixelRect HandRect(HandSize size, HandKind kind, long double scale);
