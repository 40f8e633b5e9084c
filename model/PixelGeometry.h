#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

// Integer points, sizes and rectangles in screen or image pixels, x to the right and y downwards. A
// stored place may be anywhere in the 32-bit range, so edges (a place plus a size) are 64-bit.
struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
  PixelPoint operator+(PixelPoint o) const { return {x + o.x, y + o.y}; }
};

struct PixelSize {
  int width = 0;
  int height = 0;
  bool operator==(const PixelSize&) const = default;
};

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;

  bool isEmpty() const { return width <= 0 || height <= 0; }
  std::int64_t right() const { return std::int64_t{x} + width; }  // one past the last column
  std::int64_t bottom() const { return std::int64_t{y} + height; }
  PixelPoint topLeft() const { return {x, y}; }
  PixelSize size() const { return {width, height}; }
  bool contains(PixelPoint p) const { return x <= p.x && p.x < right() && y <= p.y && p.y < bottom(); }
  bool intersects(const PixelRect& o) const
  {
    return !isEmpty() && !o.isEmpty() && x < o.right() && o.x < right() && y < o.bottom() && o.y < bottom();
  }
  PixelRect intersected(const PixelRect& o) const
  {
    const int l = std::max(x, o.x), t = std::max(y, o.y);
    const std::int64_t r = std::min(right(), o.right()), b = std::min(bottom(), o.bottom());
    if (r <= l || b <= t)
      return {};
    // No wider than either rectangle.
    return {l, t, static_cast<int>(r - l), static_cast<int>(b - t)};
  }
  // The smallest rectangle holding both, as far as an int reaches; an empty one adds nothing.
  PixelRect united(const PixelRect& o) const
  {
    if (o.isEmpty())
      return *this;
    if (isEmpty())
      return o;
    const int l = std::min(x, o.x), t = std::min(y, o.y);
    const auto extent = [](std::int64_t span) {
      return static_cast<int>(std::min<std::int64_t>(span, std::numeric_limits<int>::max()));
    };
    return {l, t, extent(std::max(right(), o.right()) - l), extent(std::max(bottom(), o.bottom()) - t)};
  }
};

// A 64-bit sum brought back into an int's range.
inline int ClampToInt(std::int64_t value)
{
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The pixel at a rectangle's centre (the lower-right of the middle four when the size is even).
inline PixelPoint CentreOf(const PixelRect& rect)
{
  return {ClampToInt(std::int64_t{rect.x} + rect.width / 2), ClampToInt(std::int64_t{rect.y} + rect.height / 2)};
}
