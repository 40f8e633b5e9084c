#include "platform/qt/ProgramIcon.h"

#include "Settings/ProgramPictures.h"

QImage ProgramIconImage(PictureCache& pictures)
{
  const ArgbImage pixels = ProgramIconPixels(pictures);
  QImage icon(pixels.width(), pixels.height(), QImage::Format_ARGB32);
  for (int y = 0; y < pixels.height(); ++y)
    for (int x = 0; x < pixels.width(); ++x)
      icon.setPixel(x, y, pixels.Pixel(x, y));
  return icon;
}

QIcon ProgramIcon(PictureCache& pictures)
{
  return QIcon(QPixmap::fromImage(ProgramIconImage(pictures)));
}
