#pragma once
#include <QIcon>
#include <QImage>

class PictureCache;

// The program icon, `side` pixels square (16 by default): a tiny clock face cut from the default skin's picture, its hands at ten
// o'clock. A plain grey face stands in if the picture cannot be decoded.
QImage ProgramIconImage(PictureCache& pictures, int side = 16);
QIcon ProgramIcon(PictureCache& pictures);
