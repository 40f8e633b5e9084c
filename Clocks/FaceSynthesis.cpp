#include <algorithm>
#include <cstdint>

#include "Clocks/ClockSynthesis.h"
#include "Clocks/PixelRound.h"

namespace {
std::int32_t LiftedChannel(std::uint8_t byte, const FaceRimLight& light)
{
  const long double b = byte;
  return PixelRound((b + light.lift * (255.0L - b)) * light.gain);
}
}  // namespace

void ComputeFacePlanes(ClockData& data)
{
  // The coordinates use D itself; the square never leaves the planes or the surface.
  const std::int32_t d = std::clamp<std::int32_t>(data.geometry.diameter, 0, kMaxDiameter);
  const std::int32_t rows = std::min(d, data.faceSurface.height());
  const std::int32_t columns = std::min(d, data.faceSurface.width());
  UpdateFaceShape(data.faceShape, d, data.settings.dialStyle);

  // Beyond 0..50 the alpha would leave 0..255 and wrap when packed into a pixel.
  const std::int32_t t = std::clamp<std::int32_t>(data.settings.transparency, 0, kMaxTransparency);
  const long double opacity = 1.0L - static_cast<long double>(t) / 50.0L;

  FacePlanes& planes = data.facePlanes;
  for (std::int32_t w = 0; w < rows; ++w) {
    const std::uint8_t* row = data.faceSurface.ScanRow(w);
    for (std::int32_t c = 0; c < columns; ++c) {
      const FaceShapeCell& cell = data.faceShape.Cell(w, c);
      const std::uint8_t* pixel = row + 3 * c;
      switch (cell.kind) {
      case FacePixelKind::Outside:
        planes.alpha[w][c] = 0;
        break;
      case FacePixelKind::Plain:
        planes.red[w][c] = pixel[2];
        planes.green[w][c] = pixel[1];
        planes.blue[w][c] = pixel[0];
        planes.alpha[w][c] = PixelRound(cell.alpha255 * opacity);
        break;
      case FacePixelKind::Rim:
      case FacePixelKind::HiddenRim: {
        const FaceRimLight& light = data.faceShape.rims[static_cast<std::size_t>(cell.rim)];
        planes.red[w][c] = LiftedChannel(pixel[2], light);
        planes.green[w][c] = LiftedChannel(pixel[1], light);
        planes.blue[w][c] = LiftedChannel(pixel[0], light);
        planes.alpha[w][c] = cell.kind == FacePixelKind::Rim ? PixelRound(cell.alpha255 * opacity) : 0;
        break;
      }
      }
    }
  }
}
