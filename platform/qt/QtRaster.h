#pragma once
#include <QImage>

#include "raster/ArgbImage.h"
#include "raster/DeviceImage.h"

// The images as Qt reads them, without a copy: valid while the image lives and is not resized.
QImage ImageView(const ArgbImage& image);
QImage FrameView(const DeviceImage& image);  // premultiplied
