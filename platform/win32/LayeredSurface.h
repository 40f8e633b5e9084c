#pragma once
#include <windows.h>

#include "model/PixelGeometry.h"
#include "raster/DeviceImage.h"

// What a layered window shows: a top-down 32-bit DIB section selected into a memory context, kept for
// the run and made anew only when the frame's size changes.
class LayeredSurface {
public:
  LayeredSurface();
  ~LayeredSurface();
  LayeredSurface(const LayeredSurface&) = delete;
  LayeredSurface& operator=(const LayeredSurface&) = delete;

  // Copies the `changed` part of `frame` (all of it when the size changed) and hands the whole to the
  // window at `position`; the window takes the frame's size. A null frame or an empty change presents
  // nothing. False when the window system refused (GetLastError tells why).
  bool Present(HWND window, PixelPoint position, const DeviceImage& frame, PixelRect changed);
  PixelSize size() const { return size_; }

private:
  bool Resize(PixelSize size);
  void Release();

  HDC screenDC_ = nullptr;
  HDC memoryDC_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ initialBitmap_ = nullptr;  // the memory context's own, put back before ours is deleted
  std::uint32_t* bits_ = nullptr;
  PixelSize size_;
};
