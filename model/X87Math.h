#pragma once
#include <cmath>

// Sine, cosine and arc cosine from the x87 unit itself wherever the code runs on x86: the same bits
// under every operating system, where C libraries differ in the last bits of some results (MinGW's
// from glibc's). Elsewhere the C library's.
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define TICKORA_X87 1
// fsin and fcos reduce their argument themselves below 2^63.
inline constexpr long double kX87Range = 9.2e18L;

inline long double X87Sin(long double v)
{
  if (!(std::fabs(v) < kX87Range))
    return std::sin(v);
  long double result;
  asm("fsin" : "=t"(result) : "0"(v));
  return result;
}

inline long double X87Cos(long double v)
{
  if (!(std::fabs(v) < kX87Range))
    return std::cos(v);
  long double result;
  asm("fcos" : "=t"(result) : "0"(v));
  return result;
}

// atan2(sqrt((1 - x)(1 + x)), x) with fsqrt and fpatan, as glibc computes it.
inline long double X87Acos(long double x)
{
  if (!(std::fabs(x) <= 1.0L))
    return std::acos(x);
  const long double y = std::sqrt((1.0L - x) * (1.0L + x));
  long double result;
  asm("fpatan" : "=t"(result) : "0"(x), "u"(y) : "st(1)");
  return result;
}
#else
inline long double X87Sin(long double v) { return std::sin(v); }
inline long double X87Cos(long double v) { return std::cos(v); }
inline long double X87Acos(long double x) { return std::acos(x); }
#endif

// Sets the x87 unit of the calling thread to 64-bit mantissas and rounding to the nearest: every
// long double of the clock is computed so. Windows starts threads at 53 bits.
void UseExtendedPrecision();
