#include "platform/wayland/InputRegion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
struct Span {
  int from = 0;
  int to = 0;  // past the end
};

// The device pixels under logical pixel `i`, within `limit`.
Span DeviceSpan(int i, long double scale, int limit)
{
  const auto from = static_cast<int>(std::floor(static_cast<long double>(i) * scale));
  const auto to = static_cast<int>(std::ceil(static_cast<long double>(i + 1) * scale));
  return {std::clamp(from, 0, limit), std::clamp(to, 0, limit)};
}
}  // namespace

std::vector<PixelRect> LogicalClickRects(const ClickMask& mask, PixelSize logical, long double scale)
{
  std::vector<PixelRect> rects;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(std::max(logical.width, 0)));
  std::vector<std::uint8_t> previous;
  std::size_t band = 0;  // the first rectangle of the band the previous row belongs to
  for (int y = 0; y < logical.height; ++y) {
    const Span rows = DeviceSpan(y, scale, mask.size.height);
    for (int x = 0; x < logical.width; ++x) {
      const Span columns = DeviceSpan(x, scale, mask.size.width);
      bool drawn = false;
      for (int dy = rows.from; dy < rows.to && !drawn; ++dy)
        for (int dx = columns.from; dx < columns.to && !drawn; ++dx)
          drawn = mask.at(dx, dy);
      row[static_cast<std::size_t>(x)] = drawn;
    }
    if (y > 0 && row == previous) {
      for (std::size_t i = band; i < rects.size(); ++i)
        ++rects[i].height;
      continue;
    }
    band = rects.size();
    for (int x = 0; x < logical.width;) {
      if (!row[static_cast<std::size_t>(x)]) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < logical.width && row[static_cast<std::size_t>(x)])
        ++x;
      rects.push_back({start, y, x - start, 1});
    }
    previous = row;
  }
  return rects;
}
