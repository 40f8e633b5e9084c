#include "Clocks/ClockData.h"

#include "Clocks/ClockImages.h"

void CreateClockResources(ClockData& data, std::int32_t clientWidth, std::int32_t clientHeight)
{
  data.faceSurface.SetSurfaceWidth(clientWidth);
  data.faceSurface.SetSurfaceHeight(clientHeight);
  data.markerSurface.SetSurfaceWidth(35);
  data.markerSurface.SetSurfaceHeight(35);
  data.handTextureSurface.SetSurfaceWidth(30);
  data.handTextureSurface.SetSurfaceHeight(100);
  data.numeralSurface.SetSurfaceWidth(16);
  data.numeralSurface.SetSurfaceHeight(16);
  for (ArgbImage& sprite : data.numeralSprites)
    sprite = ArgbImage(data.numeralSurface.width(), data.numeralSurface.height());
  data.geometry.handExtentX = 15;
  data.geometry.handExtentY = 100;
  SetHandSizes(data.geometry, data.settings.handWidth);
  data.geometry.markerWidth = 35;
  data.geometry.markerHeight = 35;
}

std::unique_ptr<ClockData> MakeSynthesisedClock(const ClockSettings& settings)
{
  auto data = std::make_unique<ClockData>();
  data->settings = settings;
  data->geometry.oddDiameter = OddDiameterOf(settings.sizeStep);
  CreateClockResources(*data, data->geometry.oddDiameter, data->geometry.oddDiameter);
  BuildClockImages(*data);
  BuildNumeralSprites(*data);
  return data;
}
