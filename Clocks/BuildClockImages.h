#pragma once
#include "Clocks/ClockData.h"

// Synthesises the face, marker and hand planes from the settings and the pictures; sets D, the radius
// and the accent colour.
void BuildClockImages(ClockData& data);
