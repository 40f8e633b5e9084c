#include "Settings/ProgramIcon.h"

#include <cmath>
#include <exception>

#include "skins/Catalogue.h"

namespace {
constexpr int kSide = 16;
constexpr int kIconSkin = 14;
constexpr double kRimFrom = 0.8;     // of the radius: the outer ring is shaded darker
constexpr double kRimShade = 0.55;
constexpr QRgb kHandColour = qRgb(24, 24, 24);
constexpr QRgb kFallbackFace = qRgb(200, 200, 200);
// Hands as (clock angle in degrees, length in pixels): ten o'clock.
constexpr struct { double degrees; double length; } kHands[] = {{300.0, 4.5}, {0.0, 6.5}};

QRgb FacePixel(const Picture* face, int col, int row)
{
  if (!face || face->width <= 0 || face->height <= 0)
    return kFallbackFace;
  const std::uint8_t* bgr = face->Pixel(col * face->width / kSide, row * face->height / kSide);
  return qRgb(bgr[2], bgr[1], bgr[0]);
}

QRgb Shade(QRgb colour, double factor)
{
  return qRgb(int(qRed(colour) * factor), int(qGreen(colour) * factor), int(qBlue(colour) * factor));
}
}  // namespace

QImage ProgramIconImage(PictureCache& pictures)
{
  const Picture* face = nullptr;
  try {
    face = &pictures.Get(FaceImageName(kIconSkin));
  } catch (const std::exception&) {
    face = nullptr;  // the icon is decoration; never let it stop the window
  }

  QImage icon(kSide, kSide, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  const double centre = kSide / 2.0;
  for (int row = 0; row < kSide; ++row) {
    for (int col = 0; col < kSide; ++col) {
      // Sample at pixel centres so the disc is symmetric at this tiny size.
      const double x = (col + 0.5 - centre) / centre;
      const double y = (row + 0.5 - centre) / centre;
      const double r = std::sqrt(x * x + y * y);
      if (r > 1.0)
        continue;
      const QRgb colour = FacePixel(face, col, row);
      icon.setPixel(col, row, r >= kRimFrom ? Shade(colour, kRimShade) : colour);
    }
  }
  for (const auto& hand : kHands) {
    const double radians = hand.degrees * M_PI / 180.0;
    for (double t = 0; t <= hand.length; t += 0.25) {
      const int col = int(std::floor(centre + t * std::sin(radians)));
      const int row = int(std::floor(centre - t * std::cos(radians)));
      if (icon.valid(col, row))
        icon.setPixel(col, row, kHandColour);
    }
  }
  return icon;
}

QIcon ProgramIcon(PictureCache& pictures)
{
  return QIcon(QPixmap::fromImage(ProgramIconImage(pictures)));
}
