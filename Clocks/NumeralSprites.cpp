#include "Clocks/NumeralSprites.h"

#include <algorithm>

#include "Clocks/BuildClockImages.h"

namespace {
constexpr int kNumeralCount = 12;

std::uint32_t LowByte(std::int32_t value)
{
  return static_cast<std::uint32_t>(value) & 0xFFu;
}
}  // namespace

void NumeralSpriteFromSurface(const RgbSurface& surface, const Rgb& accent, ArgbImage& sprite)
{
  const std::uint32_t colour = (LowByte(accent.red) << 16) | (LowByte(accent.green) << 8) | LowByte(accent.blue);
  for (std::int32_t y = 0; y < surface.height(); ++y) {
    const std::uint8_t* row = surface.ScanRow(y);
    for (std::int32_t x = 0; x < surface.width(); ++x) {
      const std::uint8_t* bgr = row + 3 * x;
      const std::uint32_t alpha = std::max({bgr[0], bgr[1], bgr[2]});
      sprite.SetPixel(x, y, (alpha << 24) | colour);
    }
  }
}

void BuildNumeralSprites(ClockData& data)
{
  ++data.planesGeneration;  // frames keep what they drew from the sprites
  for (int i = 0; i < kNumeralCount; ++i) {
    data.numeralSurface.PaintAt(0, 0, data.pictures.Get(NumeralImageName(i)));
    NumeralSpriteFromSurface(data.numeralSurface, data.accentColour, data.numeralSprites[static_cast<std::size_t>(i)]);
  }
}
