#pragma once
#include <cstdint>

// The marker sprite is kMarkerSide square; the hand sprite's extent is kHandExtentX x kHandExtentY, read as
// last column and row by the synthesis and as width and height by the frame.
inline constexpr std::int32_t kMarkerSide = 35;
// The largest diameter a settings step gives (size step 60), in logical pixels.
inline constexpr std::int32_t kMaxDiameter = 251;
// The clock is drawn in device pixels, up to four for each logical one.
inline constexpr long double kMaxDeviceScale = 4.0L;
inline constexpr std::int32_t kMaxDeviceDiameter = 4 * kMaxDiameter;
inline constexpr std::int32_t kHandExtentX = 15;
inline constexpr std::int32_t kHandExtentY = 100;

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
  std::int32_t markerWidth = kMarkerSide;
  std::int32_t markerHeight = kMarkerSide;
  std::int32_t handExtentX = kHandExtentX;
  std::int32_t handExtentY = kHandExtentY;
  HandSize secondHand;
  HandSize minuteHand;
  HandSize hourHand;
};

// D = 3 x size step + 70. Stored steps are not range-checked: D is kept above zero, where a surface would
// be emptied, and within the largest face the planes hold.
std::int32_t DiameterOf(std::int32_t sizeStep);
std::int32_t OddDiameterOf(std::int32_t sizeStep);
// D in device pixels at `scale` device pixels per logical pixel: Round(D x scale), the scale taken
// within 1 / kMaxDeviceScale and kMaxDeviceScale. At scale 1 it is D.
std::int32_t DeviceDiameterOf(std::int32_t diameter, long double scale);
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
