#pragma once
#include <cstdint>

#include "model/Numbers.h"

// Round() without the library call, for the per-pixel loops: fistp rounds with the FPU's mode,
// half to even by default, exactly as llrint does.
inline std::int32_t PixelRound(long double value)
{
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
  long long result;
  asm("fistpll %0" : "=m"(result) : "t"(value) : "st");
  return static_cast<std::int32_t>(result);
#else
  return Round(value);
#endif
}
