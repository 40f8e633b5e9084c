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
  const std::int32_t d = std::clamp<std::int32_t>(data.geometry.diameter, 0, kMaxDeviceDiameter);
  data.facePlanes.Grow(d);
  const std::int32_t rows = std::min(d, data.faceSurface.height());
  const std::int32_t columns = std::min(d, data.faceSurface.width());
  UpdateFaceShape(data.faceShape, d, data.settings.dialStyle);

  // Beyond 0..50 the alpha would leave 0..255 and wrap when packed into a pixel.
  const std::int32_t t = std::clamp<std::int32_t>(data.settings.transparency, 0, kMaxTransparency);
  const long double opacity = 1.0L - static_cast<long double>(t) / 50.0L;

  FacePlanes& planes = data.facePlanes;
  for (std::int32_t row = 0; row < rows; ++row) {
    const std::uint8_t* pixels = data.faceSurface.ScanRow(row);
    for (std::int32_t column = 0; column < columns; ++column) {
      const FaceShapeCell& cell = data.faceShape.Cell(row, column);
      const std::uint8_t* pixel = pixels + 3 * column;
      switch (cell.kind) {
      case FacePixelKind::Outside:
        planes.alpha[row][column] = 0;
        break;
      case FacePixelKind::Plain:
        planes.red[row][column] = pixel[2];
        planes.green[row][column] = pixel[1];
        planes.blue[row][column] = pixel[0];
        planes.alpha[row][column] = PixelRound(cell.alpha255 * opacity);
        break;
      case FacePixelKind::Rim:
      case FacePixelKind::HiddenRim: {
        const FaceRimLight& light = data.faceShape.rims[static_cast<std::size_t>(cell.rim)];
        planes.red[row][column] = LiftedChannel(pixel[2], light);
        planes.green[row][column] = LiftedChannel(pixel[1], light);
        planes.blue[row][column] = LiftedChannel(pixel[0], light);
        planes.alpha[row][column] = cell.kind == FacePixelKind::Rim ? PixelRound(cell.alpha255 * opacity) : 0;
        break;
      }
      }
    }
  }
}
