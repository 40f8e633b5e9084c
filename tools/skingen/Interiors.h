#pragma once
#include "Materials.h"

// What glass subjects hold inside, as steps that rows of the picture tables combine.

// Fine veils and clouds in otherwise clear stones: they scatter a little tinted light and dim what
// comes through.
Interior Veiled(Colour tint, double amount, double scale, std::uint32_t seed);
// Absorbing matter laid out by a density pattern; each channel absorbs by its own coefficient.
Interior Stained(double (*density)(Vec3 q), Colour absorption);
// Two interiors, the first applied first.
Interior Layered(Interior first, Interior second);

// Density patterns for Stained, 0..1 at a point inside the ball.
double AmethystZones(Vec3 q);  // deep violet layers alternating with paler quartz
double SmokeWisps(Vec3 q);     // dark swirling wisps drawn out along a flow

// A net of fine fractures in two shells under the surface, catching the light.
void Crackle(Vec3 a, Vec3 b, Colour& transmit, Colour& glow);
// Marbles: darker glass towards the rim.
void DarkRim(Vec3 a, Vec3 b, Colour& transmit, Colour& glow);
// Dark inclusions at two depths.
void DarkInclusions(Vec3 a, Vec3 b, Colour& transmit, Colour& glow);
