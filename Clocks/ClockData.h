#pragma once
#include <array>
#include <cstdint>

#include "Clocks/ArgbPlanes.h"
#include "Clocks/FaceShape.h"
#include "model/ClockGeometry.h"
#include "model/ClockSettings.h"
#include "platform/raster/ArgbImage.h"
#include "skins/Catalogue.h"
#include "skins/RgbSurface.h"

// Everything the clock is made of, owned once by the application and passed by reference.
// Large (the planes): allocate it on the heap.
struct ClockData {
  ClockSettings settings;
  ClockGeometry geometry;
  PictureCache pictures;

  RgbSurface faceSurface;
  RgbSurface markerSurface;
  RgbSurface handTextureSurface;
  RgbSurface numeralSurface;

  Rgb accentColour;  // 0, 0, 0 before the first synthesis

  FacePlanes facePlanes;
  MarkerPlanes markerPlanes;
  HandPlanes handPlanes;
  std::array<ArgbImage, 12> numeralSprites;

  // What the face synthesis keeps per (D, dial style) between runs.
  FaceShapeCache faceShape;

  // Raised by every write of the face, marker or hand planes or the numeral sprites (every synthesis
  // run). The frame reuses images made from them only while it is unchanged; 0 means never stamped,
  // nothing is reused.
  std::uint64_t planesGeneration = 0;
};

// What the clock window's creation sets up before the first synthesis: the four surfaces at their
// creation sizes (the face surface at the window's client size), the twelve 16 x 16 numeral sprites,
// the hand sizes and the marker size.
void CreateClockResources(ClockData& data, std::int32_t clientWidth, std::int32_t clientHeight);
