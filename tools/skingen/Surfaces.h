#pragma once
#include "Materials.h"

// Body colours of opaque subjects at a point of the unit sphere, as steps that rows of the picture
// tables name.
using Albedo = std::function<Colour(Vec3 p)>;

// Two colours blended by smooth noise, stretched per axis: the body of most stones.
Colour Mottle(Vec3 p, Colour a, Colour b, Vec3 scale, int octaves, std::uint32_t seed);
Albedo Mottled(Colour a, Colour b, Vec3 scale, int octaves, std::uint32_t seed);
Albedo Plain(Colour colour);

Colour CalciteBands(Vec3 p);       // orange growth layers, some broad and pale, some fine
Colour OpalGlassGradient(Vec3 p);  // sky blue at the top fading to pale yellow at the bottom
Colour Jasper(Vec3 p);             // red, with dark veins and speckles of two sizes
// Fine fibres along x, for a stone whose sheen lies across them.
Albedo CatsEyeFibres(Colour deep, Colour light);
Colour Nacre(Vec3 p);              // pearl: a faint rose and green play towards the rim
Colour OpalFlecks(Vec3 p);         // patches of spectral colour over milky white
