#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "Clocks/ArgbPlanes.h"
#include "Clocks/FaceShape.h"
#include "model/ClockGeometry.h"
#include "model/ClockSettings.h"
#include "raster/ArgbImage.h"
#include "skins/Catalogue.h"
#include "skins/RgbSurface.h"

// Everything the clock is made of, owned once by the application and passed by reference.
// Large (the planes): allocate it on the heap.
struct ClockData {
  // Which clock this is (kFirstClock, or the number of its own section in the store), and the time
  // zone and label it shows.
  int number = kFirstClock;
  ClockZone zone;
  ClockSettings settings;
  ClockGeometry geometry;
  PictureCache pictures;

  RgbSurface faceSurface;
  RgbSurface markerSurface;
  RgbSurface handTextureSurface;
  RgbSurface numeralSurface;

  Rgb accentColour;  // 0, 0, 0 before the first synthesis

  // Device pixels per logical pixel on the screen the clock is on: the synthesis and the frames are
  // made at D x deviceScale, geometry.diameter.
  long double deviceScale = 1.0L;

  FacePlanes facePlanes;
  MarkerPlanes markerPlanes;
  HandPlanes handPlanes;
  std::array<ArgbImage, 12> numeralSprites;

  // The lines written on the dial below the centre, in the accent colour (none when empty): the
  // clock's name and, under it, its zone's mark. The dial is drawn anew when they change.
  std::string dialLabel;
  std::string dialMark;

  // What the face synthesis keeps per (D, dial style) between runs.
  FaceShapeCache faceShape;

  // Raised by every write of the face, marker or hand planes or the numeral sprites (every synthesis
  // run). The frame reuses images made from them only while it is unchanged; 0 means never stamped,
  // nothing is reused.
  std::uint64_t planesGeneration = 0;
};

// Sizes the clock for its size step: the odd diameter, the radius and the face surface. Returns the odd
// diameter, the clock window's client width and height until a frame sets them to D.
std::int32_t ApplySizeStep(ClockData& data);

// What the clock window's creation sets up before the first synthesis: the size (ApplySizeStep), the
// other three surfaces at their creation sizes, the twelve 16 x 16 numeral sprites, the hand sizes and
// the marker size. Returns the client size as ApplySizeStep does.
std::int32_t CreateClockResources(ClockData& data);

// Lets go of what only speeds up the next synthesis: the decoded pictures and the face shape cache.
// The planes, surfaces and sprites stay.
void ReleaseSynthesisCaches(ClockData& data);

// A clock as the clock window has it before its first frame: its resources, then BuildClockImages and
// BuildNumeralSprites. Tools, tests and benchmarks start from it.
std::unique_ptr<ClockData> MakeSynthesisedClock(const ClockSettings& settings, long double deviceScale = 1.0L);
