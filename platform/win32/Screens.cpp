#include "platform/win32/Screens.h"

namespace {
BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list)
{
  reinterpret_cast<std::vector<PixelRect>*>(list)->push_back(
      {rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top});
  return TRUE;
}
}  // namespace

PixelRect PrimaryScreenRect()
{
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::vector<PixelRect> ScreenRects()
{
  std::vector<PixelRect> screens;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&screens));
  // With no monitor reported, the primary one still is.
  if (screens.empty())
    screens.push_back(PrimaryScreenRect());
  return screens;
}

PixelRect WindowRect(HWND window)
{
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}
