#include "platform/win32/Screens.h"

#include "model/Numbers.h"

namespace {
BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list)
{
  reinterpret_cast<std::vector<PixelRect>*>(list)->push_back(
      {rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top});
  return TRUE;
}
}  // namespace

void UsePerMonitorDpi()
{
  using SetContext = BOOL(WINAPI*)(HANDLE);
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  const auto set = user32 ? reinterpret_cast<SetContext>(
                                reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")))
                          : nullptr;
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, which older headers lack.
  if (!set || !set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4))))
    SetProcessDPIAware();
}

long double WindowScale(HWND window)
{
  // Looked up once: every tick converts places through it.
  using GetDpi = UINT(WINAPI*)(HWND);
  static const auto get = [] {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<GetDpi>(reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                  : nullptr;
  }();
  UINT dpi = window && get ? get(window) : 0;
  if (dpi == 0) {
    HDC screen = GetDC(nullptr);
    dpi = screen ? static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX)) : 96;
    if (screen)
      ReleaseDC(nullptr, screen);
  }
  return dpi > 0 ? static_cast<long double>(dpi) / 96.0L : 1.0L;
}

long double ScaleAt(PixelPoint point)
{
  // Looked up once: every tick asks. GetDpiForMonitor is shcore's, from Windows 8.1 on.
  using GetDpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto get = [] {
    const HMODULE shcore = LoadLibraryA("shcore.dll");
    return shcore ? reinterpret_cast<GetDpi>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  UINT dpiX = 0, dpiY = 0;
  const HMONITOR monitor = MonitorFromPoint({point.x, point.y}, MONITOR_DEFAULTTONEAREST);
  // MDT_EFFECTIVE_DPI (0): the density the user chose for that monitor.
  if (!monitor || !get || get(monitor, 0, &dpiX, &dpiY) != S_OK || dpiX == 0)
    return WindowScale(nullptr);
  return static_cast<long double>(dpiX) / 96.0L;
}

int ToLogical(int device, long double scale)
{
  return Round(static_cast<long double>(device) / scale);
}

int ToDevice(int logical, long double scale)
{
  return Round(static_cast<long double>(logical) * scale);
}

PixelRect ToLogical(const PixelRect& device, long double scale)
{
  const int left = ToLogical(device.x, scale);
  const int top = ToLogical(device.y, scale);
  return {left, top, ToLogical(device.x + device.width, scale) - left, ToLogical(device.y + device.height, scale) - top};
}

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
