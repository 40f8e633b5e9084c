#include "skins/RgbSurface.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "model/TickoraError.h"

namespace {
// A store larger than this could not be addressed with the 32-bit stride and height of the surface.
constexpr std::int64_t kMaxStoreBytes = std::numeric_limits<std::int32_t>::max();

[[noreturn]] void CannotMakeStore()
{
  throw TickoraError(FormatMessage("%s cannot be made", std::string("DIB")));
}
}  // namespace

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
  // Checked before allocating: on failure the surface keeps its old store.
  const std::int64_t stride = WideStrideOf(width);
  if (stride > kMaxStoreBytes / height)
    CannotMakeStore();
  const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
  std::unique_ptr<std::uint8_t[]> store(new (std::nothrow) std::uint8_t[bytes]);
  if (!store)
    CannotMakeStore();
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
  Paint(rect.left, rect.top, rect.right, rect.bottom, picture);
}

namespace {
// Where destination pixel `at` of `extent` samples a source of `size` pixels: the source pixel and
// the weight of the next one, in 1/65536.
struct Tap {
  std::int32_t first;
  std::int32_t second;
  std::int64_t weight;
};

Tap TapFor(std::int64_t at, std::int64_t extent, std::int32_t size)
{
  // (at + 1/2) x size / extent - 1/2, in 1/65536, kept on the picture.
  const std::int64_t fixed = ((2 * at + 1) * size * 65536) / (2 * extent) - 32768;
  const std::int64_t clamped = std::clamp<std::int64_t>(fixed, 0, std::int64_t{size - 1} * 65536);
  const auto first = static_cast<std::int32_t>(clamped >> 16);
  return {first, std::min(first + 1, size - 1), clamped & 0xFFFF};
}
}  // namespace

void RgbSurface::PaintSmooth(const SurfaceRect& rect, const Picture& picture)
{
  const std::int64_t w = std::int64_t{rect.right} - rect.left;
  const std::int64_t h = std::int64_t{rect.bottom} - rect.top;
  if (w <= 0 || h <= 0 || picture.width <= 0 || picture.height <= 0)
    return;
  if (picture.bgr.size() < static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3)
    throw TickoraError("The picture to paint is incomplete.");
  const std::int64_t firstY = std::max<std::int64_t>(0, -std::int64_t{rect.top});
  const std::int64_t endY = std::min<std::int64_t>(h, std::int64_t{height_} - rect.top);
  const std::int64_t firstX = std::max<std::int64_t>(0, -std::int64_t{rect.left});
  const std::int64_t endX = std::min<std::int64_t>(w, std::int64_t{width_} - rect.left);
  std::vector<Tap> columns;
  for (std::int64_t x = firstX; x < endX; ++x)
    columns.push_back(TapFor(x, w, picture.width));
  for (std::int64_t y = firstY; y < endY; ++y) {
    const Tap row = TapFor(y, h, picture.height);
    std::uint8_t* target = ScanRow(static_cast<std::int32_t>(rect.top + y)) + 3 * (rect.left + firstX);
    for (const Tap& column : columns) {
      for (int channel = 0; channel < 3; ++channel) {
        const auto at = [&](std::int32_t px, std::int32_t py) -> std::int64_t { return picture.Pixel(px, py)[channel]; };
        const std::int64_t top = at(column.first, row.first) * (65536 - column.weight) + at(column.second, row.first) * column.weight;
        const std::int64_t bottom =
            at(column.first, row.second) * (65536 - column.weight) + at(column.second, row.second) * column.weight;
        const std::int64_t value = top * (65536 - row.weight) + bottom * row.weight;
        *target++ = static_cast<std::uint8_t>((value + (std::int64_t{1} << 31)) >> 32);
      }
    }
  }
}

void RgbSurface::PaintAt(std::int32_t x, std::int32_t y, const Picture& picture)
{
  Paint(x, y, std::int64_t{x} + picture.width, std::int64_t{y} + picture.height, picture);
}

// Bounds are 64-bit so that no rectangle, however far off the surface, overflows.
void RgbSurface::Paint(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                       const Picture& picture)
{
  const std::int64_t w = right - left;
  const std::int64_t h = bottom - top;
  if (w <= 0 || h <= 0 || picture.width <= 0 || picture.height <= 0)
    return;
  if (picture.bgr.size() < static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3)
    throw TickoraError("The picture to paint is incomplete.");
  // Only the part of the rectangle that lies on the surface is visited.
  const std::int64_t firstY = std::max<std::int64_t>(0, -top);
  const std::int64_t endY = std::min<std::int64_t>(h, std::int64_t{height_} - top);
  const std::int64_t firstX = std::max<std::int64_t>(0, -left);
  const std::int64_t endX = std::min<std::int64_t>(w, std::int64_t{width_} - left);
  if (firstX >= endX)
    return;
  // Picture column x * Ws / w, the same for every row: worked out once per paint.
  std::vector<std::int32_t> sourceOffset(static_cast<std::size_t>(endX - firstX));
  for (std::int64_t x = firstX; x < endX; ++x)
    sourceOffset[static_cast<std::size_t>(x - firstX)] = static_cast<std::int32_t>(3 * (x * picture.width / w));
  for (std::int64_t y = firstY; y < endY; ++y) {
    // Picture row y * Hs / h: proportional, increasing, and each picture row is taken whole (no filtering).
    const auto sy = static_cast<std::int32_t>(y * picture.height / h);
    const std::uint8_t* source = picture.Pixel(0, sy);
    std::uint8_t* target = ScanRow(static_cast<std::int32_t>(top + y)) + 3 * (left + firstX);
    for (const std::int32_t offset : sourceOffset) {
      std::memcpy(target, source + offset, 3);
      target += 3;
    }
  }
}
