#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include "raster/DrawingSurface.h"

namespace {
namespace flat = Gdiplus::DllExports;

// GDI+ is started on first use and kept for the rest of the process: drawing needs it, and a program
// that draws starts it before its first window.
bool GdiplusStarted()
{
  static const bool started = [] {
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, nothing suppressed
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return started;
}

RasterStatus StatusOf(Gdiplus::GpStatus status)
{
  if (status == Gdiplus::Ok)
    return RasterStatus::Ok;
  return status == Gdiplus::OutOfMemory ? RasterStatus::OutOfMemory : RasterStatus::InvalidParameter;
}
}  // namespace

struct DrawingSurface::Native {
  Gdiplus::GpBitmap* bitmap = nullptr;  // over the target's memory
  Gdiplus::GpGraphics* graphics = nullptr;
  ~Native()
  {
    if (graphics)
      flat::GdipDeleteGraphics(graphics);
    if (bitmap)
      flat::GdipDisposeImage(bitmap);
  }
};

DrawingSurface::DrawingSurface(DeviceImage& target)
{
  if (target.isNull() || !GdiplusStarted()) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  auto native = std::make_unique<Native>();
  // The device image is premultiplied ARGB in the byte order GDI+ keeps; drawing writes into it.
  Gdiplus::GpStatus status = flat::GdipCreateBitmapFromScan0(target.width(), target.height(), target.width() * 4,
                                                             PixelFormat32bppPARGB,
                                                             reinterpret_cast<BYTE*>(target.bits()), &native->bitmap);
  if (status == Gdiplus::Ok)
    status = flat::GdipGetImageGraphicsContext(native->bitmap, &native->graphics);
  if (status != Gdiplus::Ok) {
    status_ = StatusOf(status);
    return;
  }
  // GDI+'s defaults: bilinear image drawing, source-over.
  native_ = std::move(native);
}

DrawingSurface::~DrawingSurface() = default;

void DrawingSurface::Translate(long double dx, long double dy)
{
  if (!native_) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  const auto status = flat::GdipTranslateWorldTransform(native_->graphics, static_cast<Gdiplus::REAL>(dx),
                                                        static_cast<Gdiplus::REAL>(dy), Gdiplus::MatrixOrderPrepend);
  if (status != Gdiplus::Ok)
    status_ = StatusOf(status);
}

void DrawingSurface::Rotate(long double degrees)
{
  if (!native_) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  const auto status = flat::GdipRotateWorldTransform(native_->graphics, static_cast<Gdiplus::REAL>(degrees),
                                                     Gdiplus::MatrixOrderPrepend);
  if (status != Gdiplus::Ok)
    status_ = StatusOf(status);
}

void DrawingSurface::ResetTransform()
{
  if (!native_) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  const auto status = flat::GdipResetWorldTransform(native_->graphics);
  if (status != Gdiplus::Ok)
    status_ = StatusOf(status);
}

void DrawingSurface::DrawImageRect(const ArgbImage& image, long double left, long double top, long double width,
                                   long double height)
{
  if (!native_ || image.isNull()) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  // GDI+ only reads the source; it takes a non-const pointer all the same.
  Gdiplus::GpBitmap* source = nullptr;
  auto status = flat::GdipCreateBitmapFromScan0(image.width(), image.height(), image.width() * 4, PixelFormat32bppARGB,
                                                reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(image.bits())),
                                                &source);
  if (status == Gdiplus::Ok)
    status = flat::GdipDrawImageRect(native_->graphics, source, static_cast<Gdiplus::REAL>(left),
                                     static_cast<Gdiplus::REAL>(top), static_cast<Gdiplus::REAL>(width),
                                     static_cast<Gdiplus::REAL>(height));
  if (source)
    flat::GdipDisposeImage(source);
  if (status != Gdiplus::Ok)
    status_ = StatusOf(status);
}
