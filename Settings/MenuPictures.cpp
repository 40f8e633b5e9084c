#include "Settings/MenuPictures.h"

namespace {
constexpr int kCloseSide = 10;
}

QImage CloseMenuPicture()
{
  QImage picture(kCloseSide, kCloseSide, QImage::Format_RGB888);
  picture.fill(Qt::white);
  for (int i = 0; i < kCloseSide; ++i) {
    picture.setPixel(i, i, qRgb(0, 0, 0));
    picture.setPixel(kCloseSide - 1 - i, i, qRgb(0, 0, 0));
  }
  return picture;
}
