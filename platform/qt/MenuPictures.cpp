#include "platform/qt/MenuPictures.h"

#include "Settings/ProgramPictures.h"

QImage CloseMenuPicture()
{
  QImage picture(kCloseSide, kCloseSide, QImage::Format_RGB888);
  for (int y = 0; y < kCloseSide; ++y)
    for (int x = 0; x < kCloseSide; ++x)
      picture.setPixel(x, y, IsOnCloseCross(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  return picture;
}
