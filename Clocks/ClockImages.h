#pragma once
#include <memory>

#include "Clocks/ClockData.h"

// Synthesises the face, marker and hand planes from the settings and the pictures; sets D, the radius
// and the accent colour.
void BuildClockImages(ClockData& data);

// Recolours the twelve numeral sprites with the accent colour.
void BuildNumeralSprites(ClockData& data);

// A clock as the clock window has it before its first frame: resources for an oddDiameter client
// area, then BuildClockImages and BuildNumeralSprites. Tools, tests and benchmarks start from it.
std::unique_ptr<ClockData> MakeSynthesisedClock(const ClockSettings& settings);
