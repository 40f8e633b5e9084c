#pragma once
#include <QImage>

#include "platform/raster/ArgbImage.h"
#include "platform/raster/DeviceImage.h"

// The images as Qt reads them, without a copy: valid while the image lives and is not resized.
QImage ImageView(const ArgbImage& image);
QImage FrameView(const DeviceImage& image);  // premultiplied
