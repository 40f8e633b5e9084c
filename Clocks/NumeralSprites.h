#pragma once
#include "raster/ArgbImage.h"
#include "skins/Catalogue.h"
#include "skins/RgbSurface.h"

struct ClockData;

// Recolours the twelve numeral sprites with the accent colour.
void BuildNumeralSprites(ClockData& data);

// One sprite from the numeral painted on `surface`: every pixel in the accent colour, its alpha the
// largest of the painted red, green and blue.
void NumeralSpriteFromSurface(const RgbSurface& surface, const Rgb& accent, ArgbImage& sprite);
