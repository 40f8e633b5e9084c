#include <algorithm>
#include <cstdint>

#include "Clocks/BuildClockImages.h"
#include "Clocks/ClockSynthesis.h"

void BuildClockImages(ClockData& data)
{
  ++data.planesGeneration;

  const std::int32_t d = DiameterOf(data.settings.sizeStep);
  data.geometry.diameter = d;
  data.geometry.radius = RadiusOf(d);

  data.faceSurface.SetSurfaceWidth(d);
  data.faceSurface.SetSurfaceHeight(d);

  data.geometry.handExtentX = kHandExtentX;
  data.geometry.handExtentY = kHandExtentY;

  const std::int32_t skin = data.settings.skin;
  const std::string_view face = FaceImageName(skin);
  if (!face.empty()) {
    data.faceSurface.PaintStretched({0, 0, d, d}, data.pictures.Get(face));
    data.accentColour = SkinAccentColours[static_cast<std::size_t>(skin)];
  }

  ComputeFacePlanes(data);
  if (data.settings.dialStyle <= kLastShapedDialStyle)
    FillHandAccent(data);
  else
    RunMarkerStep(data);

  ShadeHandSprite(data);
}
