#pragma once
#include <cfloat>
#include <cmath>
#include <cstdint>

// Every real of the clock is an 80-bit long double, and every conversion to an integer rounds
// half to even under the default rounding mode (never std::round, which rounds halves away).
inline std::int32_t Round(long double value)
{
  return static_cast<std::int32_t>(std::llrint(value));
}

// A real as the x87's 80-bit extended format holds it: 64 significant bits, rounded half to even.
// Where long double is wider (IEEE quad on arm64) a result that lands on a half, such as a ring centre
// at a cardinal point of an odd diameter, would round by bits x86 never had: the steps whose rounding
// shows in the picture store each result through this. On x86 it changes nothing.
inline long double Extended(long double value)
{
#if LDBL_MANT_DIG > 64
  if (value == 0.0L || !std::isfinite(value))
    return value;
  int exponent = 0;
  const long double significand = std::frexp(value, &exponent);
  return std::ldexp(std::nearbyint(std::ldexp(significand, 64)), exponent - 64);
#else
  return value;
#endif
}
