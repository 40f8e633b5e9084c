#pragma once
#include <QIcon>
#include <QImage>

class PictureCache;

// The 16 x 16 program icon: a tiny clock face cut from the default skin's picture, its hands at ten
// o'clock. A plain grey face stands in if the picture cannot be decoded.
QImage ProgramIconImage(PictureCache& pictures);
QIcon ProgramIcon(PictureCache& pictures);
