#include <gtest/gtest.h>

#include "platform/wayland/InputRegion.h"

namespace {
ClickMask Mask(std::vector<const char*> rows)
{
  ClickMask mask;
  mask.size = {static_cast<int>(std::string(rows[0]).size()), static_cast<int>(rows.size())};
  for (const char* row : rows)
    for (const char* c = row; *c; ++c)
      mask.bits.push_back(*c == '#');
  return mask;
}

std::string Text(const std::vector<PixelRect>& rects)
{
  std::string text;
  for (const PixelRect& r : rects)
    text += std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
            std::to_string(r.height) + ";";
  return text;
}

TEST(InputRegion, LogicalPixelsTakeClicksWhereAnyDevicePixelUnderThemIsDrawn)
{
  const ClickMask ring = Mask({"....", ".##.", ".#..", "...."});
  const struct {
    const char* name;
    ClickMask mask;
    PixelSize logical;
    long double scale;
    const char* rects;
  } cases[] = {
      {"at 100 % each run is a rectangle, equal rows one band", Mask({"##..", "##..", ".#.#"}), {4, 3}, 1,
       "0,0 2x2;1,2 1x1;3,2 1x1;"},
      {"nothing drawn, nothing taken", Mask({"..", ".."}), {2, 2}, 1, ""},
      {"at 200 % one device pixel is enough for its logical pixel", ring, {2, 2}, 2, "0,0 2x1;0,1 1x1;"},
      // 3 logical pixels over 4 device ones: pixel 1 covers device columns 1 and 2.
      {"at 133 % the shared device pixels count for both neighbours", Mask({"..#.", "....", "....", "...."}), {3, 3},
       4.0L / 3, "1,0 2x1;"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Text(LogicalClickRects(c.mask, c.logical, c.scale)), c.rects) << c.name;
}
}  // namespace
