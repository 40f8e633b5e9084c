#pragma once
#include <cstdint>

struct HandSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const HandSize&) const = default;
};

// Values derived from the settings.
struct ClockGeometry {
  std::int32_t diameter = 0;     // D, the size of every face image, frame and presented window
  std::int32_t oddDiameter = 0;  // the window size used before the synthesis has set D
  std::int32_t radius = 0;
  long double scale = 0;         // D / 220, recomputed at each frame
  std::int32_t markerWidth = 35;
  std::int32_t markerHeight = 35;
  // The hand sprite extent: read as last column/row by the synthesis, as width/height by the frame.
  std::int32_t handExtentX = 15;
  std::int32_t handExtentY = 100;
  HandSize secondHand;
  HandSize minuteHand;
  HandSize hourHand;
};

std::int32_t DiameterOf(std::int32_t sizeStep);
std::int32_t OddDiameterOf(std::int32_t sizeStep);
// D / 2 truncated toward zero.
std::int32_t RadiusOf(std::int32_t diameter);

// Sets the three hand sizes from the hand width step.
void SetHandSizes(ClockGeometry& geometry, std::int32_t handWidth);

struct HandAngles {
  long double hour = 0;
  long double minute = 0;
  long double second = 0;
};

// Degrees clockwise from 12 o'clock for a wall-clock time (hours 0..23).
HandAngles HandAnglesAt(int hours, int minutes, int seconds);
