#pragma once
#include <memory>


#include "Clocks/ClockData.h"
#include "model/ClockGeometry.h"
#include "raster/DeviceImage.h"

// A clock whose planes and sprites are filled by hand: a flat face, a red hand, a green marker and
// numerals in a colour per hour, so frames can be checked pixel by pixel.
struct TestClockLook {
  std::uint32_t face = 0x00000000u;
  std::uint32_t hand = 0xFFC80000u;
  std::uint32_t marker = 0xFF00C800u;
};

inline std::uint32_t NumeralColour(int hour)
{
  return 0xFF000000u | static_cast<std::uint32_t>(10 + hour * 20);
}

inline void FillPlanes(ArgbPlanes& planes, std::uint32_t argb)
{
  planes.Fill(static_cast<int>(argb >> 24), static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
              static_cast<int>(argb & 0xFF));
}

inline std::unique_ptr<ClockData> MakeTestClock(const ClockSettings& settings, const TestClockLook& look = {})
{
  auto data = std::make_unique<ClockData>();
  data->settings = settings;
  CreateClockResources(*data);
  data->geometry.diameter = DiameterOf(settings.sizeStep);
  data->geometry.radius = RadiusOf(data->geometry.diameter);
  FillPlanes(data->facePlanes, look.face);
  FillPlanes(data->handPlanes, look.hand);
  FillPlanes(data->markerPlanes, look.marker);
  for (int i = 0; i < 12; ++i)
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        data->numeralSprites[static_cast<std::size_t>(i)].SetPixel(x, y, NumeralColour(i));
  data->planesGeneration = 1;
  return data;
}

inline std::uint32_t PixelAt(const DeviceImage& frame, int x, int y)
{
  return frame.Pixel(x, y);
}

inline int AlphaAt(const DeviceImage& frame, int x, int y)
{
  return static_cast<int>(PixelAt(frame, x, y) >> 24);
}
