#pragma once
#include <vector>

#include <windows.h>

#include "model/PixelGeometry.h"

// The primary monitor as the clock measures it: from the origin, the screen metrics' width and height,
// read afresh at every call (the resolution may change while the clock runs).
PixelRect PrimaryScreenRect();

// Every monitor's rectangle on the virtual screen.
std::vector<PixelRect> ScreenRects();

// A window's outer rectangle as the window system reports it.
PixelRect WindowRect(HWND window);
