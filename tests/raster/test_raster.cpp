#include <gtest/gtest.h>

#include <cstdlib>

#include "raster/ArgbImage.h"
#include "raster/DeviceImage.h"
#include "raster/DrawingSurface.h"

namespace {
std::uint32_t At(const DeviceImage& image, int x, int y)
{
  return image.Pixel(x, y);
}

int AlphaAt(const DeviceImage& image, int x, int y)
{
  return static_cast<int>(At(image, x, y) >> 24);
}

DeviceImage Filled(int size, std::uint32_t pixel)
{
  DeviceImage image(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      image.row(y)[x] = pixel;
  return image;
}

ArgbImage Solid(int width, int height, std::uint32_t argb)
{
  ArgbImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.SetPixel(x, y, argb);
  return image;
}
}  // namespace

TEST(ArgbImage, StoresPixelsUnchangedAndIgnoresWritesOutside)
{
  ArgbImage image(4, 3);
  ASSERT_EQ(image.width(), 4);
  ASSERT_EQ(image.height(), 3);
  EXPECT_EQ(image.Pixel(3, 2), 0u) << "a new image is transparent black";

  image.SetPixel(1, 1, 0x80FF4020u);  // half alpha: stored as given, not premultiplied
  EXPECT_EQ(image.Pixel(1, 1), 0x80FF4020u);
  EXPECT_EQ(image.lastStatus(), RasterStatus::Ok);

  const struct { int x, y; } outside[] = {{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {4, 3}, {-100000, 2}};
  for (const auto& p : outside) {
    ArgbImage target = Solid(4, 3, 0x11223344u);
    target.SetPixel(p.x, p.y, 0xFFFFFFFFu);
    EXPECT_EQ(target.lastStatus(), RasterStatus::InvalidParameter) << p.x << "," << p.y;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x)
        EXPECT_EQ(target.Pixel(x, y), 0x11223344u) << p.x << "," << p.y;
    target.SetPixel(0, 0, 1u);
    EXPECT_EQ(target.lastStatus(), RasterStatus::InvalidParameter) << "the last failure is kept";
  }

  const ArgbImage empty(0, 5);
  EXPECT_EQ(empty.lastStatus(), RasterStatus::InvalidParameter);
  EXPECT_TRUE(Premultiplied(empty).isNull());
}

TEST(ArgbImage, DeviceImageIsPremultipliedOverTransparentBlack)
{
  const struct { std::uint32_t argb; std::uint32_t device; } cases[] = {
      {0xFF102030u, 0xFF102030u},  // opaque: unchanged
      {0x00FFFFFFu, 0x00000000u},  // alpha 0: colour bytes carry no weight
      {0x00123456u, 0x00000000u},
      {0x80FF0000u, 0x80800000u},  // 255 x 128 / 255
      {0x40804020u, 0x40201008u},  // 128 x 64 / 255 = 32.1, 64 -> 16.06, 32 -> 8.03
  };
  for (const auto& c : cases) {
    const DeviceImage device = Premultiplied(Solid(2, 2, c.argb));
    ASSERT_EQ(device.size(), (PixelSize{2, 2}));
    EXPECT_EQ(At(device, 1, 1), c.device) << std::hex << c.argb;
  }
}

TEST(DrawingSurface, RotationTurnsClockwiseAboutTheTranslatedOrigin)
{
  // A bar pointing up from the origin, 20 long, 4 wide.
  const ArgbImage bar = Solid(4, 20, 0xFFFFFFFFu);
  const struct { long double degrees; int tipX, tipY; } cases[] = {
      {0, 50, 35}, {90, 65, 50}, {180, 50, 65}, {270, 35, 50}, {-90, 35, 50}, {450, 65, 50},
  };
  for (const auto& c : cases) {
    DeviceImage target(100, 100);
    {
      DrawingSurface surface(target);
      surface.Translate(50, 50);
      surface.Rotate(c.degrees);
      surface.DrawImageRect(bar, -2, -20, 4, 20);
      EXPECT_EQ(surface.lastStatus(), RasterStatus::Ok);
    }
    EXPECT_EQ(AlphaAt(target, c.tipX, c.tipY), 255) << c.degrees;
    // Nothing on the opposite side of the origin.
    EXPECT_EQ(AlphaAt(target, 100 - c.tipX, 100 - c.tipY), 0) << c.degrees;
    EXPECT_EQ(AlphaAt(target, 10, 10), 0) << c.degrees;
  }
}

TEST(DrawingSurface, ResetReturnsToIdentityAndDrawingScalesIntoTheRectangle)
{
  DeviceImage target(40, 40);
  {
    DrawingSurface surface(target);
    surface.Translate(30, 30);
    surface.Rotate(45);
    surface.ResetTransform();
    surface.DrawImageRect(Solid(2, 2, 0xFF0000FFu), 10, 12, 8, 6);  // 2 x 2 stretched to 8 x 6
  }
  EXPECT_EQ(At(target, 14, 15), 0xFF0000FFu);
  EXPECT_EQ(At(target, 11, 13), 0xFF0000FFu);
  EXPECT_GT(AlphaAt(target, 16, 16), 0) << "the far corner is drawn (its edge filtering is the library's)";
  const struct { int x, y; } outside[] = {{9, 15}, {18, 15}, {14, 11}, {14, 18}, {30, 30}};
  for (const auto& p : outside)
    EXPECT_EQ(At(target, p.x, p.y), 0u) << p.x << "," << p.y;
}

TEST(DrawingSurface, BlendsSourceOverAndKeepsAlpha)
{
  const struct { std::uint32_t below; std::uint32_t source; std::uint32_t expected; } cases[] = {
      {0x00000000u, 0x80FF0000u, 0x80800000u},  // onto transparent: the source's own alpha, premultiplied
      {0xFF0000FFu, 0x80FF0000u, 0xFF80007Fu},  // half red over opaque blue
      {0xFF00FF00u, 0x00FFFFFFu, 0xFF00FF00u},  // a transparent source leaves the target
      {0x80000080u, 0xFFFFFFFFu, 0xFFFFFFFFu},  // an opaque source replaces it
  };
  for (const auto& c : cases) {
    DeviceImage target = Filled(8, c.below);
    {
      DrawingSurface surface(target);
      surface.DrawImageRect(Solid(8, 8, c.source), 0, 0, 8, 8);
    }
    const std::uint32_t got = At(target, 4, 4);
    for (int shift = 0; shift < 32; shift += 8) {
      const int g = static_cast<int>((got >> shift) & 0xFF);
      const int e = static_cast<int>((c.expected >> shift) & 0xFF);
      EXPECT_LE(std::abs(g - e), 1) << std::hex << c.below << " " << c.source << " got " << got;
    }
  }
}

TEST(DrawingSurface, KeepsTheFailureOfABadTargetOrImage)
{
  DeviceImage none;
  DrawingSurface broken(none);
  EXPECT_EQ(broken.lastStatus(), RasterStatus::InvalidParameter);
  broken.Translate(1, 1);
  broken.DrawImageRect(Solid(1, 1, 0xFFFFFFFFu), 0, 0, 1, 1);
  EXPECT_EQ(broken.lastStatus(), RasterStatus::InvalidParameter);

  DeviceImage target(4, 4);
  {
    DrawingSurface surface(target);
    EXPECT_EQ(surface.lastStatus(), RasterStatus::Ok);
    surface.DrawImageRect(ArgbImage(), 0, 0, 4, 4);
    EXPECT_EQ(surface.lastStatus(), RasterStatus::InvalidParameter);
    surface.DrawImageRect(Solid(4, 4, 0xFFFFFFFFu), 0, 0, 4, 4);
    EXPECT_EQ(surface.lastStatus(), RasterStatus::InvalidParameter) << "an Ok call keeps the last failure";
  }
  EXPECT_EQ(At(target, 2, 2), 0xFFFFFFFFu) << "a later good call still draws";
}
