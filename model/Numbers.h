#pragma once
#include <cmath>
#include <cstdint>

// Every real of the clock is an 80-bit long double, and every conversion to an integer rounds
// half to even under the default rounding mode (never std::round, which rounds halves away).
inline std::int32_t Round(long double value)
{
  return static_cast<std::int32_t>(std::llrint(value));
}
