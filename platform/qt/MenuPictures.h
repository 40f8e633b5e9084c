#pragma once
#include <QImage>

// The picture beside "Close": a black diagonal cross on white, 10 x 10, 24 bits per pixel.
QImage CloseMenuPicture();
