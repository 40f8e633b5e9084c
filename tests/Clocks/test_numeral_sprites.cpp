#include <gtest/gtest.h>

#include <memory>

#include "Clocks/ClockData.h"
#include "Clocks/BuildClockImages.h"
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

TEST(NumeralSprites, BuiltFromTheCataloguePicturesInTheAccentColour)
{
  auto data = std::make_unique<ClockData>();
  CreateClockResources(*data);
  const Rgb accents[] = {{255, 193, 23}, {0, 0, 0}, {90, 200, 255}};
  std::array<std::array<std::uint32_t, 256>, 12> firstAlpha{};
  for (std::size_t run = 0; run < std::size(accents); ++run) {
    data->accentColour = accents[run];
    BuildNumeralSprites(*data);
    const std::uint32_t colour = (static_cast<std::uint32_t>(accents[run].red) << 16) |
                                 (static_cast<std::uint32_t>(accents[run].green) << 8) |
                                 static_cast<std::uint32_t>(accents[run].blue);
    for (int i = 0; i < 12; ++i) {
      const Picture& picture = data->pictures.Get(NumeralImageName(i));
      const ArgbImage& sprite = data->numeralSprites[static_cast<std::size_t>(i)];
      int opaque = 0;
      int clear = 0;
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
          const std::uint8_t* bgr = picture.Pixel(x, y);
          const std::uint32_t alpha = std::max({bgr[0], bgr[1], bgr[2]});
          const std::uint32_t pixel = sprite.Pixel(x, y);
          EXPECT_EQ(pixel, (alpha << 24) | colour) << "numeral " << i << " at " << x << "," << y;
          opaque += alpha == 255;
          clear += alpha == 0;
          auto& kept = firstAlpha[static_cast<std::size_t>(i)][static_cast<std::size_t>(y * 16 + x)];
          if (run == 0)
            kept = pixel >> 24;
          else
            EXPECT_EQ(pixel >> 24, kept) << "a new accent keeps the shape";
        }
      EXPECT_GT(opaque, 0) << "numeral " << i;
      EXPECT_GT(clear, 0) << "numeral " << i;
    }
  }
}

TEST(NumeralSprites, FollowTheSkinOrMarkerAfterASynthesis)
{
  const struct { int skin, dialStyle; Rgb accent; } cases[] = {
      {1, 0, SkinAccentColours[1]},
      {2, 3, SkinAccentColours[2]},
      {2, 11, MarkerAccentColours[11]},
      {14, 21, MarkerAccentColours[21]},
  };
  auto data = std::make_unique<ClockData>();
  CreateClockResources(*data);
  for (const auto& c : cases) {
    data->settings.skin = c.skin;
    data->settings.dialStyle = c.dialStyle;
    BuildClockImages(*data);
    BuildNumeralSprites(*data);
    const std::uint32_t colour = (static_cast<std::uint32_t>(c.accent.red) << 16) |
                                 (static_cast<std::uint32_t>(c.accent.green) << 8) |
                                 static_cast<std::uint32_t>(c.accent.blue);
    for (const ArgbImage& sprite : data->numeralSprites)
      EXPECT_EQ(sprite.Pixel(8, 8) & 0xFFFFFFu, colour) << "skin " << c.skin << " dial " << c.dialStyle;
  }
}
