#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Clocks/ClockSynthesis.h"
#include "Clocks/Shade.h"
#include "model/ClockSettings.h"
#include "model/Numbers.h"

namespace {
constexpr std::int32_t kHandTextureWidth = 30;
constexpr std::int32_t kHandTextureHeight = 120;
constexpr std::int32_t kTextureRowMargin = 10;
constexpr std::int32_t kTextureColumnMargin = 7;
}  // namespace

void RunMarkerStep(ClockData& data)
{
  // The marker plane holds at most 36 x 36.
  const std::int32_t markerWidth = std::clamp<std::int32_t>(data.geometry.markerWidth, 1, MarkerPlanes::kColumns);
  const std::int32_t markerHeight = std::clamp<std::int32_t>(data.geometry.markerHeight, 1, MarkerPlanes::kRows);
  data.markerSurface.SetSurfaceWidth(markerWidth);
  data.markerSurface.SetSurfaceHeight(markerHeight);
  data.handTextureSurface.SetSurfaceWidth(kHandTextureWidth);
  data.handTextureSurface.SetSurfaceHeight(kHandTextureHeight);

  const std::int32_t style = data.settings.dialStyle;
  if (IsMarkerDial(style)) {
    const Picture& marker = data.pictures.Get(MarkerImageName(style));
    data.markerSurface.PaintStretched({0, 0, data.markerSurface.width(), data.markerSurface.height()}, marker);
    data.handTextureSurface.PaintStretched({0, 0, data.handTextureSurface.width(), data.handTextureSurface.height()},
                                           marker);
    data.accentColour = MarkerAccentColours[static_cast<std::size_t>(style)];
  }
  ComputeMarkerSprite(data);
  CopyHandTexture(data);
}

void ComputeMarkerSprite(ClockData& data)
{
  const std::int32_t width = data.markerSurface.width();
  const std::int32_t height = data.markerSurface.height();
  MarkerPlanes& planes = data.markerPlanes;
  for (std::int32_t row = 0; row < std::min(height, MarkerPlanes::kRows); ++row) {
    const std::uint8_t* pixels = data.markerSurface.ScanRow(row);
    const long double y = static_cast<long double>(2 * row) / static_cast<long double>(height) - 1.0L;
    for (std::int32_t column = 0; column < std::min(width, MarkerPlanes::kColumns); ++column) {
      const long double x = static_cast<long double>(2 * column) / static_cast<long double>(width) - 1.0L;
      const long double r = std::sqrt(x * x + y * y);
      if (r > 1.0L) {
        planes.alpha[row][column] = 0;
        continue;
      }
      const long double r2 = r * r;
      const long double r4 = r2 * r2;
      const long double r8 = r4 * r4;
      planes.alpha[row][column] = Round(Shade(r8) * 255.0L);
      planes.red[row][column] = pixels[3 * column + 2];
      planes.green[row][column] = pixels[3 * column + 1];
      planes.blue[row][column] = pixels[3 * column];
    }
  }
}

void CopyHandTexture(ClockData& data)
{
  const std::int32_t width = data.handTextureSurface.width();
  const std::int32_t height = data.handTextureSurface.height();
  HandPlanes& planes = data.handPlanes;
  for (std::int32_t sourceRow = kTextureRowMargin; sourceRow <= height - kTextureRowMargin; ++sourceRow) {
    const std::int32_t row = sourceRow - kTextureRowMargin;
    if (row >= HandPlanes::kRows || sourceRow >= height)
      break;
    const std::uint8_t* source = data.handTextureSurface.ScanRow(sourceRow);
    for (std::int32_t sourceColumn = kTextureColumnMargin; sourceColumn <= width - kTextureColumnMargin; ++sourceColumn) {
      const std::int32_t column = sourceColumn - kTextureColumnMargin;
      if (column >= HandPlanes::kColumns || sourceColumn >= width)
        break;
      planes.red[row][column] = source[3 * sourceColumn + 2];
      planes.green[row][column] = source[3 * sourceColumn + 1];
      planes.blue[row][column] = source[3 * sourceColumn];
    }
  }
}
