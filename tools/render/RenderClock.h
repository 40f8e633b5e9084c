#pragma once
#include <memory>
#include <string>

#include "Clocks/ClockData.h"
#include "Clocks/BuildClockImages.h"
#include "FullScreen/FrameComposer.h"
#include "model/ClockGeometry.h"

// What the clock window does before its first frame, then one frame with the window settled at
// (0, 0, D, D), so the cursor is given in frame pixels; at `scale`, D x scale device pixels.
inline DeviceImage RenderClockFrame(const ClockSettings& settings, const TimeOfDay& time, PixelPoint cursor = {-1, -1},
                                    long double scale = 1.0L)
{
  const auto data = MakeSynthesisedClock(settings, scale);
  const std::int32_t d = data->geometry.diameter;
  FrameComposer composer;
  return composer.Compose(*data, time, {0, 0, d, d}, cursor);
}
