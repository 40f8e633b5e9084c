#include "platform/win32/LayeredSurface.h"

#include <cstring>

LayeredSurface::LayeredSurface()
{
  screenDC_ = GetDC(nullptr);
  memoryDC_ = CreateCompatibleDC(screenDC_);
}

LayeredSurface::~LayeredSurface()
{
  Release();
  if (memoryDC_)
    DeleteDC(memoryDC_);
  if (screenDC_)
    ReleaseDC(nullptr, screenDC_);
}

void LayeredSurface::Release()
{
  if (!bitmap_)
    return;
  SelectObject(memoryDC_, initialBitmap_);
  DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
  size_ = {};
}

bool LayeredSurface::Resize(PixelSize size)
{
  Release();
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.width;
  info.bmiHeader.biHeight = -size.height;  // top-down, as the frame's rows lie
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(screenDC_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_)
    return false;
  bits_ = static_cast<std::uint32_t*>(bits);
  initialBitmap_ = SelectObject(memoryDC_, bitmap_);
  size_ = size;
  return true;
}

bool LayeredSurface::Present(HWND window, PixelPoint position, const DeviceImage& frame, PixelRect changed)
{
  if (frame.isNull())
    return true;
  if (frame.size() != size_) {
    if (!Resize(frame.size()))
      return false;
    changed = frame.rect();
  }
  changed = changed.intersected(frame.rect());
  if (changed.isEmpty())
    return true;
  // GDI may still be working on the bitmap; the bits are ours only once it is done.
  GdiFlush();
  for (int y = changed.y; y < changed.bottom(); ++y)
    std::memcpy(bits_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(size_.width) + changed.x,
                frame.row(y) + changed.x, static_cast<std::size_t>(changed.width) * sizeof(std::uint32_t));
  POINT at = {position.x, position.y};
  SIZE extent = {size_.width, size_.height};
  POINT source = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  return UpdateLayeredWindow(window, screenDC_, &at, &extent, memoryDC_, &source, 0, &blend, ULW_ALPHA) != FALSE;
}
