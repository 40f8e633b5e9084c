#include "platform/qt/ProgramIcon.h"

#include "Settings/ProgramPictures.h"

QImage ProgramIconImage(PictureCache& pictures, int side)
{
  const ArgbImage pixels = ProgramIconPixels(pictures, side);
  QImage icon(pixels.width(), pixels.height(), QImage::Format_ARGB32);
  for (int y = 0; y < pixels.height(); ++y)
    for (int x = 0; x < pixels.width(); ++x)
      icon.setPixel(x, y, pixels.Pixel(x, y));
  return icon;
}

QIcon ProgramIcon(PictureCache& pictures)
{
  // Drawn for each size a tray or title bar asks for up to twice the size, not a 16-pixel one enlarged.
  QIcon icon;
  for (const int side : {16, 22, 24, 32, 44, 48, 64})
    icon.addPixmap(QPixmap::fromImage(ProgramIconImage(pictures, side)));
  return icon;
}
