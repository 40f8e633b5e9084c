#pragma once
#include <vector>

#include <windows.h>

#include "model/PixelGeometry.h"

// The primary monitor as the clock measures it: from the origin, the screen metrics' width and height,
// read afresh at every call (the resolution may change while the clock runs).
PixelRect PrimaryScreenRect();

// Every monitor's rectangle on the virtual screen.
std::vector<PixelRect> ScreenRects();

// Asks for each monitor's own DPI, as the manifest does (for systems that read only the call): the
// program then draws every pixel itself, at the density of the monitor each window is on.
void UsePerMonitorDpi();
// Device pixels per logical pixel for a window: its monitor's DPI over 96, or the screen's where the
// system has no DPI per window.
long double WindowScale(HWND window);
// Device pixels per logical pixel on the monitor that holds `point` (virtual-screen pixels), or on the
// nearest one.
long double ScaleAt(PixelPoint point);
// Between the logical pixels the clock keeps and the device pixels the system counts in.
int ToLogical(int device, long double scale);
int ToDevice(int logical, long double scale);
PixelRect ToLogical(const PixelRect& device, long double scale);

// A window's outer rectangle as the window system reports it.
PixelRect WindowRect(HWND window);

