#include "skins/RgbSurface.h"

#include <cstring>
#include <new>

#include "model/TickoraError.h"

RgbSurface::RgbSurface()
{
  Resize(1, 1);
}

void RgbSurface::SetSurfaceWidth(std::int32_t width)
{
  if (width == width_)
    return;
  Resize(width, height_);
}

void RgbSurface::SetSurfaceHeight(std::int32_t height)
{
  if (height == height_)
    return;
  Resize(width_, height);
}

void RgbSurface::Resize(std::int32_t width, std::int32_t height)
{
  if (width <= 0 || height <= 0) {
    store_.reset();
    width_ = 0;
    height_ = 0;
    ++generation_;
    return;
  }
  const std::size_t bytes = static_cast<std::size_t>(StrideOf(width)) * static_cast<std::size_t>(height);
  std::unique_ptr<std::uint8_t[]> store(new (std::nothrow) std::uint8_t[bytes]);
  if (!store)
    throw TickoraError(FormatMessage("%s cannot be made", std::string("DIB")));
  std::memset(store.get(), 0, bytes);
  store_ = std::move(store);
  width_ = width;
  height_ = height;
  ++generation_;
}

std::uint8_t* RgbSurface::ScanRow(std::int32_t y)
{
  return const_cast<std::uint8_t*>(static_cast<const RgbSurface*>(this)->ScanRow(y));
}

const std::uint8_t* RgbSurface::ScanRow(std::int32_t y) const
{
  if (y < 0 || y >= height_)
    throw TickoraError(FormatMessage("Index of the scanning line exceeded the range. (%d)", static_cast<long long>(y)));
  // Bottom-up store: the top row lies last in memory.
  return store_.get() + static_cast<std::size_t>(height_ - 1 - y) * static_cast<std::size_t>(stride());
}

void RgbSurface::PaintStretched(const SurfaceRect& rect, const Picture& picture)
{
  const std::int32_t w = rect.right - rect.left;
  const std::int32_t h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0 || picture.width <= 0 || picture.height <= 0)
    return;
  for (std::int32_t y = 0; y < h; ++y) {
    const std::int32_t ty = rect.top + y;
    if (ty < 0 || ty >= height_)
      continue;
    // Integer proportion: picture row y * Hs / h, the centre-free rule of a colour-on-colour stretch.
    const std::int32_t sy = static_cast<std::int32_t>(static_cast<std::int64_t>(y) * picture.height / h);
    std::uint8_t* row = ScanRow(ty);
    for (std::int32_t x = 0; x < w; ++x) {
      const std::int32_t tx = rect.left + x;
      if (tx < 0 || tx >= width_)
        continue;
      const std::int32_t sx = static_cast<std::int32_t>(static_cast<std::int64_t>(x) * picture.width / w);
      std::memcpy(row + 3 * tx, picture.Pixel(sx, sy), 3);
    }
  }
}

void RgbSurface::PaintAt(std::int32_t x, std::int32_t y, const Picture& picture)
{
  PaintStretched({x, y, x + picture.width, y + picture.height}, picture);
}
