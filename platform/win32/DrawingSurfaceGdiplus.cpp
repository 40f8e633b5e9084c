#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>
// windows.h names its own DrawTextA or DrawTextW so.
#undef DrawText

#include <string>

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

namespace {
// The desktop's message font, semibold, `pixelHeight` pixels to the em; null when none can be made.
// It goes through GDI's own font mapping, which finds a face for any name where GDI+ finds only the
// installed families (Wine has no Segoe UI or Tahoma of its own).
Gdiplus::GpFont* TextFont(int pixelHeight)
{
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  LOGFONTW font = {};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    font = metrics.lfMessageFont;
  else
    lstrcpynW(font.lfFaceName, L"Segoe UI", LF_FACESIZE);
  font.lfHeight = -pixelHeight;
  font.lfWidth = 0;
  font.lfEscapement = font.lfOrientation = 0;
  font.lfWeight = FW_SEMIBOLD;
  font.lfItalic = font.lfUnderline = font.lfStrikeOut = FALSE;
  font.lfQuality = ANTIALIASED_QUALITY;
  Gdiplus::GpFont* made = nullptr;
  if (HDC dc = CreateCompatibleDC(nullptr)) {
    if (flat::GdipCreateFontFromLogfontW(dc, &font, &made) != Gdiplus::Ok)
      made = nullptr;
    DeleteDC(dc);
  }
  if (made)
    return made;
  Gdiplus::GpFontFamily* family = nullptr;
  if (flat::GdipGetGenericFontFamilySansSerif(&family) != Gdiplus::Ok)
    return nullptr;
  if (flat::GdipCreateFont(family, static_cast<Gdiplus::REAL>(pixelHeight), Gdiplus::FontStyleBold,
                           Gdiplus::UnitPixel, &made) != Gdiplus::Ok)
    made = nullptr;
  flat::GdipDeleteFontFamily(family);
  return made;
}

// This library stands below the shell's own helpers.
std::wstring WideText(const std::string& utf8)
{
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// Frees what GDI+ made for one text on every way out.
struct TextObjects {
  Gdiplus::GpFont* font = nullptr;
  Gdiplus::GpStringFormat* format = nullptr;
  Gdiplus::GpSolidFill* brush = nullptr;
  Gdiplus::GpMatrix* transform = nullptr;
  ~TextObjects()
  {
    if (transform)
      flat::GdipDeleteMatrix(transform);
    if (brush)
      flat::GdipDeleteBrush(brush);
    if (format)
      flat::GdipDeleteStringFormat(format);
    if (font)
      flat::GdipDeleteFont(font);
  }
};
}  // namespace

void DrawingSurface::DrawText(const std::string& text, std::uint32_t rgb, PixelRect box, int pixelHeight)
{
  if (!native_) {
    status_ = RasterStatus::InvalidParameter;
    return;
  }
  if (text.empty() || pixelHeight <= 0 || box.width <= 0 || box.height <= 0)
    return;
  TextObjects objects;
  objects.font = TextFont(pixelHeight);
  if (!objects.font)
    return;
  if (flat::GdipCreateStringFormat(Gdiplus::StringFormatFlagsNoWrap, LANG_NEUTRAL, &objects.format) != Gdiplus::Ok ||
      flat::GdipSetStringFormatAlign(objects.format, Gdiplus::StringAlignmentCenter) != Gdiplus::Ok ||
      flat::GdipSetStringFormatLineAlign(objects.format, Gdiplus::StringAlignmentCenter) != Gdiplus::Ok ||
      flat::GdipSetStringFormatTrimming(objects.format, Gdiplus::StringTrimmingEllipsisCharacter) != Gdiplus::Ok ||
      flat::GdipCreateSolidFill(0xFF000000u | (rgb & 0xFFFFFFu), &objects.brush) != Gdiplus::Ok ||
      flat::GdipCreateMatrix(&objects.transform) != Gdiplus::Ok ||
      flat::GdipGetWorldTransform(native_->graphics, objects.transform) != Gdiplus::Ok)
    return;
  Gdiplus::TextRenderingHint hint = Gdiplus::TextRenderingHintSystemDefault;
  flat::GdipGetTextRenderingHint(native_->graphics, &hint);
  flat::GdipResetWorldTransform(native_->graphics);
  flat::GdipSetTextRenderingHint(native_->graphics, Gdiplus::TextRenderingHintAntiAlias);
  const std::wstring wide = WideText(text);
  const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(box.x), static_cast<Gdiplus::REAL>(box.y),
                              static_cast<Gdiplus::REAL>(box.width), static_cast<Gdiplus::REAL>(box.height));
  const auto status = flat::GdipDrawString(native_->graphics, wide.c_str(), static_cast<INT>(wide.size()), objects.font,
                                           &layout, objects.format, objects.brush);
  flat::GdipSetTextRenderingHint(native_->graphics, hint);
  flat::GdipSetWorldTransform(native_->graphics, objects.transform);
  if (status != Gdiplus::Ok)
    status_ = StatusOf(status);
}
