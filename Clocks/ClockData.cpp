#include "Clocks/ClockData.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "Clocks/BuildClockImages.h"
#include "Clocks/NumeralSprites.h"

namespace {
// The hand texture is painted twice the sprite's extent wide until a marker dial sizes it.
constexpr std::int32_t kHandTextureWidth = 2 * kHandExtentX;
constexpr std::int32_t kNumeralSide = 16;
}  // namespace

std::int32_t ApplySizeStep(ClockData& data)
{
  const std::int32_t oddDiameter = OddDiameterOf(data.settings.sizeStep);
  data.geometry.oddDiameter = oddDiameter;
  data.geometry.radius = RadiusOf(oddDiameter);
  data.faceSurface.SetSurfaceWidth(oddDiameter);
  data.faceSurface.SetSurfaceHeight(oddDiameter);
  return oddDiameter;
}

std::int32_t CreateClockResources(ClockData& data)
{
  const std::int32_t clientSize = ApplySizeStep(data);
  data.markerSurface.SetSurfaceWidth(kMarkerSide);
  data.markerSurface.SetSurfaceHeight(kMarkerSide);
  data.handTextureSurface.SetSurfaceWidth(kHandTextureWidth);
  data.handTextureSurface.SetSurfaceHeight(kHandExtentY);
  data.numeralSurface.SetSurfaceWidth(kNumeralSide);
  data.numeralSurface.SetSurfaceHeight(kNumeralSide);
  for (ArgbImage& sprite : data.numeralSprites)
    sprite = ArgbImage(data.numeralSurface.width(), data.numeralSurface.height());
  data.geometry.handExtentX = kHandExtentX;
  data.geometry.handExtentY = kHandExtentY;
  SetHandSizes(data.geometry, data.settings.handWidth);
  data.geometry.markerWidth = kMarkerSide;
  data.geometry.markerHeight = kMarkerSide;
  return clientSize;
}

void ReleaseSynthesisCaches(ClockData& data)
{
  data.pictures.Clear();
  data.faceShape = FaceShapeCache{};
#if defined(__GLIBC__)
  // Start-up and the synthesis leave freed memory between live blocks; give its pages back.
  malloc_trim(0);
#endif
}

std::unique_ptr<ClockData> MakeSynthesisedClock(const ClockSettings& settings, long double deviceScale)
{
  auto data = std::make_unique<ClockData>();
  data->settings = settings;
  data->deviceScale = deviceScale;
  CreateClockResources(*data);
  BuildClockImages(*data);
  BuildNumeralSprites(*data);
  return data;
}
