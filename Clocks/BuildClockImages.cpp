#include <algorithm>
#include <cstdint>

#include "Clocks/ClockImages.h"
#include "Clocks/ClockSynthesis.h"

namespace {
constexpr std::int32_t kHandLastColumn = 15;
constexpr std::int32_t kHandLastRow = 100;
constexpr std::int32_t kLastShapedStyle = 7;
}  // namespace

std::int32_t SynthesisDiameter(std::int32_t sizeStep)
{
  // Stored steps are not range-checked: keep D inside the planes (step 60 at most) and above zero,
  // where a surface would be emptied.
  const std::int64_t d = 3 * static_cast<std::int64_t>(sizeStep) + 70;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(d, 1, kMaxFaceDiameter));
}

void BuildClockImages(ClockData& data)
{
  ++data.planesGeneration;

  const std::int32_t d = SynthesisDiameter(data.settings.sizeStep);
  data.geometry.diameter = d;
  data.geometry.radius = RadiusOf(d);

  data.faceSurface.SetSurfaceWidth(d);
  data.faceSurface.SetSurfaceHeight(d);

  data.geometry.handExtentX = kHandLastColumn;
  data.geometry.handExtentY = kHandLastRow;

  const std::int32_t skin = data.settings.skin;
  const std::string_view face = FaceImageName(skin);
  if (!face.empty()) {
    data.faceSurface.PaintStretched({0, 0, d, d}, data.pictures.Get(face));
    data.accentColour = SkinAccentColours[static_cast<std::size_t>(skin)];
  }

  ComputeFacePlanes(data);
  if (data.settings.dialStyle <= kLastShapedStyle)
    FillHandAccent(data);
  else
    RunMarkerStep(data);

  ShadeHandSprite(data);
}
