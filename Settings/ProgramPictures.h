#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <numbers>

#include "raster/ArgbImage.h"
#include "skins/Catalogue.h"

// The program's own small pictures as plain pixels, for every window system to wrap in its own icon
// and bitmap types.

// The picture beside "Close": a black diagonal cross on white, 10 x 10.
inline constexpr int kCloseSide = 10;
constexpr bool IsOnCloseCross(int x, int y)
{
  return x == y || x == kCloseSide - 1 - y;
}

// The program icon, 16 x 16 or `side` square: a tiny clock face cut from the default skin's picture,
// its hands at ten o'clock, transparent outside the disc. A plain grey face stands in if the picture
// cannot be decoded. The larger sides serve screens of more than one pixel per logical pixel.
inline constexpr int kProgramIconSide = 16;

inline ArgbImage ProgramIconPixels(PictureCache& pictures, int side = kProgramIconSide)
{
  const int iconSide = std::max(side, 1);
  const double zoom = iconSide / double(kProgramIconSide);
  const int thickness = std::max(1, int(zoom));
  constexpr std::int32_t kIconSkin = 14;
  constexpr double kRimFrom = 0.8;  // of the radius: the outer ring is shaded darker
  constexpr double kRimShade = 0.55;
  constexpr std::uint32_t kHandColour = 0xFF181818;
  constexpr std::uint32_t kFallbackFace = 0xC8C8C8;
  // Hands as (clock angle in degrees, length in pixels of the 16-pixel icon).
  constexpr struct { double degrees; double length; } kHands[] = {{300.0, 4.5}, {0.0, 6.5}};

  const Picture* face = nullptr;
  try {
    face = &pictures.Get(FaceImageName(kIconSkin));
  } catch (const std::exception&) {
    face = nullptr;  // the icon is decoration; never let it stop the window
  }
  const auto facePixel = [face, iconSide](int col, int row, double shade) -> std::uint32_t {
    std::uint32_t rgb = kFallbackFace;
    if (face && face->width > 0 && face->height > 0) {
      const std::uint8_t* bgr = face->Pixel(col * face->width / iconSide, row * face->height / iconSide);
      rgb = std::uint32_t{bgr[2]} << 16 | std::uint32_t{bgr[1]} << 8 | bgr[0];
    }
    const auto channel = [&](int shift) { return static_cast<std::uint32_t>(int(((rgb >> shift) & 0xFF) * shade)) << shift; };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
  };

  ArgbImage icon(iconSide, iconSide);
  const double centre = iconSide / 2.0;
  for (int row = 0; row < iconSide; ++row) {
    for (int col = 0; col < iconSide; ++col) {
      // Sampled at pixel centres so the disc is symmetric at this tiny size.
      const double x = (col + 0.5 - centre) / centre;
      const double y = (row + 0.5 - centre) / centre;
      const double r = std::sqrt(x * x + y * y);
      if (r <= 1.0)
        icon.SetPixel(col, row, facePixel(col, row, r >= kRimFrom ? kRimShade : 1.0));
    }
  }
  for (const auto& hand : kHands) {
    const double radians = hand.degrees * std::numbers::pi / 180.0;
    for (double t = 0; t <= hand.length * zoom; t += 0.25) {
      const int x = int(std::floor(centre + t * std::sin(radians) - (thickness - 1) / 2.0));
      const int y = int(std::floor(centre - t * std::cos(radians) - (thickness - 1) / 2.0));
      for (int dy = 0; dy < thickness; ++dy)
        for (int dx = 0; dx < thickness; ++dx)
          if (x + dx >= 0 && x + dx < iconSide && y + dy >= 0 && y + dy < iconSide)
            icon.SetPixel(x + dx, y + dy, kHandColour);
    }
  }
  return icon;
}
