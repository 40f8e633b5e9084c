#include <algorithm>
#include <cstdint>

#include "Clocks/BuildClockImages.h"
#include "Clocks/ClockSynthesis.h"

void BuildClockImages(ClockData& data)
{
  ++data.planesGeneration;

  const std::int32_t d = DeviceDiameterOf(DiameterOf(data.settings.sizeStep), data.deviceScale);
  data.geometry.diameter = d;
  data.geometry.radius = RadiusOf(d);

  data.faceSurface.SetSurfaceWidth(d);
  data.faceSurface.SetSurfaceHeight(d);

  data.geometry.handExtentX = kHandExtentX;
  data.geometry.handExtentY = kHandExtentY;

  const std::int32_t skin = data.settings.skin;
  const std::string_view face = FaceImageName(skin);
  if (!face.empty()) {
    // At its own scale the photograph is point-sampled; at another it is interpolated, which keeps a
    // face enlarged past its 220 pixels free of blocks and one reduced free of jagged edges.
    if (d == DiameterOf(data.settings.sizeStep))
      data.faceSurface.PaintStretched({0, 0, d, d}, data.pictures.Get(face));
    else
      data.faceSurface.PaintSmooth({0, 0, d, d}, data.pictures.Get(face));
    data.accentColour = SkinAccentColours[static_cast<std::size_t>(skin)];
  }

  ComputeFacePlanes(data);
  if (data.settings.dialStyle <= kLastShapedDialStyle)
    FillHandAccent(data);
  else
    RunMarkerStep(data);

  ShadeHandSprite(data);
}
