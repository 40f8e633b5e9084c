#include "platform/win32/Pictures.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "Settings/ProgramPictures.h"

namespace {

// A top-down DIB section of the given depth; `bits` points at its first row.
HBITMAP CreateTopDownBitmap(int width, int height, WORD bitCount, void** bits)
{
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitCount;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

HICON CreateProgramIcon(PictureCache& pictures)
{
  // The system's small-icon size: 16 at 96 DPI, more on a denser screen.
  const int side = std::max(GetSystemMetrics(SM_CXSMICON), kProgramIconSide);
  const ArgbImage pixels = ProgramIconPixels(pictures, side);
  void* bits = nullptr;
  HBITMAP colour = CreateTopDownBitmap(side, side, 32, &bits);
  if (!colour)
    return nullptr;
  // Icons take straight (not premultiplied) alpha, in the same 0xAARRGGBB words.
  std::memcpy(bits, pixels.bits(), static_cast<std::size_t>(side) * side * sizeof(std::uint32_t));
  GdiFlush();
  // The mask marks the transparent pixels for whoever ignores the alpha; rows are padded to 16 bits.
  const int maskStride = (side + 15) / 16 * 2;
  std::vector<BYTE> mask(static_cast<std::size_t>(maskStride) * side, 0);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      if ((pixels.Pixel(x, y) >> 24) == 0)
        mask[static_cast<std::size_t>(y * maskStride + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
  HBITMAP maskBitmap = CreateBitmap(side, side, 1, 1, mask.data());
  ICONINFO info = {};
  info.fIcon = TRUE;
  info.hbmMask = maskBitmap;
  info.hbmColor = colour;
  HICON icon = CreateIconIndirect(&info);  // copies both bitmaps
  DeleteObject(maskBitmap);
  DeleteObject(colour);
  return icon;
}

HBITMAP CreateCloseMenuBitmap()
{
  void* bits = nullptr;
  HBITMAP bitmap = CreateTopDownBitmap(kCloseSide, kCloseSide, 24, &bits);
  if (!bitmap)
    return nullptr;
  const int stride = (kCloseSide * 3 + 3) / 4 * 4;
  auto* rows = static_cast<BYTE*>(bits);
  for (int y = 0; y < kCloseSide; ++y)
    for (int x = 0; x < kCloseSide; ++x)
      std::memset(rows + y * stride + x * 3, IsOnCloseCross(x, y) ? 0x00 : 0xFF, 3);
  GdiFlush();
  return bitmap;
}
