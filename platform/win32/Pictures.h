#pragma once
#include <windows.h>

class PictureCache;

// The program icon with its alpha at the system's small-icon size (16 x 16 at 96 DPI); the caller
// destroys it (DestroyIcon).
HICON CreateProgramIcon(PictureCache& pictures);

// The 10 x 10, 24-bit picture beside "Close"; the caller deletes it (DeleteObject).
HBITMAP CreateCloseMenuBitmap();
