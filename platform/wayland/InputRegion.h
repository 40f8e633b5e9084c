#pragma once
#include <vector>

#include "FullScreen/FrameComposer.h"
#include "model/PixelGeometry.h"

// A Wayland input region is given in the surface's logical pixels while the mask holds the frame's
// device pixels: a logical pixel takes clicks when any device pixel under it does, so no drawn pixel
// lets a click through. Rows with the same runs are merged into one band each.
std::vector<PixelRect> LogicalClickRects(const ClickMask& mask, PixelSize logical, long double scale);
