#include "model/X87Math.h"

void UseExtendedPrecision()
{
#ifdef TICKORA_X87
  unsigned short control = 0;
  asm volatile("fnstcw %0" : "=m"(control));
  // Precision control (bits 8-9) to 64 bits, rounding control (bits 10-11) to the nearest; the
  // exception masks stay as they are.
  control = static_cast<unsigned short>((control & ~0x0F00u) | 0x0300u);
  asm volatile("fldcw %0" : : "m"(control));
#endif
}
