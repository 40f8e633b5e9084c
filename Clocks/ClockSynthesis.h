#pragma once
#include <cstdint>

#include "Clocks/ClockData.h"

// The steps BuildClockImages runs, each over the surfaces and planes it names. They read the
// surfaces as they stand, so they can be run on surfaces filled by hand.

// The face planes of the D x D square from faceSurface: the shaped face for dial styles below 8,
// the plain disc otherwise. Reads geometry.diameter, dialStyle and transparency.
void ComputeFacePlanes(ClockData& data);

// Marker dial styles: sizes and paints the marker and hand texture surfaces, sets the accent
// colour, builds the marker sprite and copies the hand texture into the hand's colour planes.
void RunMarkerStep(ClockData& data);
void ComputeMarkerSprite(ClockData& data);
void CopyHandTexture(ClockData& data);

// Shaped dial styles colour the hand with the accent colour before it is shaded.
void FillHandAccent(ClockData& data);
// The rod shading of the hand sprite: width profile, then tip and tail tapers.
void ShadeHandSprite(ClockData& data);
