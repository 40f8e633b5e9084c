#include <gtest/gtest.h>

#include <memory>

#include "Clocks/ClockData.h"
#include "Clocks/ClockImages.h"
#include "Clocks/NumeralSprites.h"

namespace {
struct Painted {
  int x, y;
  std::uint8_t r, g, b;
  std::uint32_t alpha;
};

// Black everywhere except the listed pixels.
const Painted kPixels[] = {
    {0, 0, 0, 0, 0, 0},          {1, 0, 255, 255, 255, 255}, {2, 0, 202, 202, 202, 202},
    {3, 5, 10, 200, 200, 200},   {15, 15, 200, 200, 10, 200}, {7, 9, 30, 90, 60, 90},
    {15, 0, 157, 157, 157, 157}, {0, 15, 1, 0, 0, 1},
};

Picture NumeralPicture()
{
  Picture p;
  p.width = 16;
  p.height = 16;
  p.bgr.assign(16 * 16 * 3, 0);
  for (const Painted& px : kPixels) {
    std::uint8_t* at = p.bgr.data() + (px.y * 16 + px.x) * 3;
    at[0] = px.b;
    at[1] = px.g;
    at[2] = px.r;
  }
  return p;
}

RgbSurface PaintedSurface(int width, int height)
{
  RgbSurface surface;
  surface.SetSurfaceWidth(width);
  surface.SetSurfaceHeight(height);
  surface.PaintAt(0, 0, NumeralPicture());
  return surface;
}

std::uint32_t ExpectedAlpha(int x, int y)
{
  for (const Painted& px : kPixels)
    if (px.x == x && px.y == y)
      return px.alpha;
  return 0;
}
}  // namespace

TEST(NumeralSprites, AlphaIsTheLargestChannelAndColourTheAccent)
{
  const struct { Rgb accent; std::uint32_t colour; } cases[] = {
      {{255, 0, 0}, 0xFF0000u},
      {{12, 34, 56}, 0x0C2238u},
      {{0x1FF, 0x100, 0x2A}, 0xFF002Au},  // low 8 bits of each value
  };
  const RgbSurface surface = PaintedSurface(16, 16);
  for (const auto& c : cases) {
    ArgbImage sprite(16, 16);
    NumeralSpriteFromSurface(surface, c.accent, sprite);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        EXPECT_EQ(sprite.Pixel(x, y), (ExpectedAlpha(x, y) << 24) | c.colour) << x << "," << y;
  }
}

TEST(NumeralSprites, RecolouringKeepsTheAlpha)
{
  const RgbSurface surface = PaintedSurface(16, 16);
  ArgbImage sprite(16, 16);
  NumeralSpriteFromSurface(surface, {255, 193, 23}, sprite);
  NumeralSpriteFromSurface(surface, {40, 80, 120}, sprite);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      EXPECT_EQ(sprite.Pixel(x, y), (ExpectedAlpha(x, y) << 24) | 0x285078u) << x << "," << y;
}

TEST(NumeralSprites, SurfaceOfAnotherSizeWritesOnlyWhereBothExist)
{
  // A larger surface: the writes beyond the sprite are ignored.
  ArgbImage sprite(16, 16);
  NumeralSpriteFromSurface(PaintedSurface(20, 18), {1, 2, 3}, sprite);
  EXPECT_EQ(sprite.Pixel(1, 0), 0xFF010203u);
  EXPECT_EQ(sprite.Pixel(15, 15), 0xC8010203u);

  // A smaller one: the rest of the sprite keeps what it held.
  ArgbImage small(16, 16);
  small.SetPixel(15, 15, 0x12345678u);
  NumeralSpriteFromSurface(PaintedSurface(8, 8), {1, 2, 3}, small);
  EXPECT_EQ(small.Pixel(7, 7), 0x00010203u);
  EXPECT_EQ(small.Pixel(15, 15), 0x12345678u);
}
