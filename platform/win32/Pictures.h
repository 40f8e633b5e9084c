#pragma once
#include <windows.h>

class PictureCache;

// The 16 x 16 program icon with its alpha; the caller destroys it (DestroyIcon).
HICON CreateProgramIcon(PictureCache& pictures);

// The 10 x 10, 24-bit picture beside "Close"; the caller deletes it (DeleteObject).
HBITMAP CreateCloseMenuBitmap();
