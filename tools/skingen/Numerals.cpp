#include <array>
#include <string_view>

#include "Artwork.h"

namespace {
constexpr int kSize = 16;
constexpr std::uint8_t kCore = 255;
// Edge greys by how the pixel touches the stroke: only at a corner, along one side, or in a bend.
constexpr std::uint8_t kEdgeCorner = 157;
constexpr std::uint8_t kEdgeSide = 202;
constexpr std::uint8_t kEdgeBend = 243;
constexpr int kRows = 14;

// Stroke centre lines, 14 rows; wide digits are 8 columns, the digits of 10..12 are 6.
using Glyph = std::array<std::string_view, kRows>;

constexpr std::array<Glyph, 10> kWide = {{
    {"..####..", ".#....#.", "#......#", "#......#", "#......#", "#......#", "#......#", "#......#", "#......#",
     "#......#", "#......#", "#......#", ".#....#.", "..####.."},
    {"....#...", "...##...", "..#.#...", ".#..#...", "....#...", "....#...", "....#...", "....#...", "....#...",
     "....#...", "....#...", "....#...", "....#...", "..#####."},
    {"..####..", ".#....#.", "#......#", ".......#", ".......#", "......#.", ".....#..", "....#...", "...#....",
     "..#.....", ".#......", "#.......", "#.......", "########"},
    {"..####..", ".#....#.", "#......#", ".......#", ".......#", "......#.", "...###..", "......#.", ".......#",
     ".......#", ".......#", "#......#", ".#....#.", "..####.."},
    {"......#.", ".....##.", "....#.#.", "....#.#.", "...#..#.", "...#..#.", "..#...#.", "..#...#.", ".#....#.",
     ".#....#.", "########", "......#.", "......#.", "......#."},
    {"########", "#.......", "#.......", "#.......", "#.####..", "##....#.", ".......#", ".......#", ".......#",
     ".......#", ".......#", "#......#", ".#....#.", "..####.."},
    {"..####..", ".#....#.", "#.......", "#.......", "#.......", "#.####..", "##....#.", "#......#", "#......#",
     "#......#", "#......#", "#......#", ".#....#.", "..####.."},
    {"########", ".......#", "......#.", "......#.", ".....#..", ".....#..", "....#...", "....#...", "...#....",
     "...#....", "...#....", "..#.....", "..#.....", "..#....."},
    {"..####..", ".#....#.", "#......#", "#......#", "#......#", ".#....#.", "..####..", ".#....#.", "#......#",
     "#......#", "#......#", "#......#", ".#....#.", "..####.."},
    {"..####..", ".#....#.", "#......#", "#......#", "#......#", "#......#", "#......#", ".#....##", "..####.#",
     ".......#", ".......#", ".......#", ".#....#.", "..####.."},
}};

constexpr std::array<Glyph, 3> kNarrow = {{
    {".####.", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#",
     "#....#", "#....#", ".####."},
    {"...#..", "..##..", ".#.#..", "#..#..", "...#..", "...#..", "...#..", "...#..", "...#..", "...#..", "...#..",
     "...#..", "...#..", ".#####"},
    {".####.", "#....#", ".....#", ".....#", ".....#", "....#.", "...#..", "..#...", ".#....", "#.....", "#.....",
     "#.....", "#.....", "######"},
}};

using Core = std::array<std::array<bool, kSize>, kSize>;

void Stamp(Core& core, const Glyph& glyph, int left)
{
  for (int y = 0; y < kRows; ++y)
    for (int x = 0; x < static_cast<int>(glyph[static_cast<std::size_t>(y)].size()); ++x)
      if (glyph[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#')
        core[static_cast<std::size_t>(y + 1)][static_cast<std::size_t>(left + x)] = true;
}

bool CoreAt(const Core& core, int x, int y)
{
  return x >= 0 && y >= 0 && x < kSize && y < kSize && core[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
}
}  // namespace

Rgb8Image RenderNumeral(int index, std::vector<std::uint8_t>& fourth)
{
  Core core{};
  const int shown = index == 0 ? 12 : index;
  if (shown < 10) {
    Stamp(core, kWide[static_cast<std::size_t>(shown)], 4);
  } else {
    Stamp(core, kNarrow[1], 1);
    Stamp(core, kNarrow[static_cast<std::size_t>(shown == 10 ? 0 : shown - 10 == 1 ? 1 : 2)], 9);
  }
  Rgb8Image img{kSize, kSize, std::vector<std::uint8_t>(kSize * kSize * 3, 0)};
  fourth.assign(kSize * kSize, 255);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      std::uint8_t v = 0;
      if (CoreAt(core, x, y)) {
        v = kCore;
      } else {
        const int sides = CoreAt(core, x - 1, y) + CoreAt(core, x + 1, y) + CoreAt(core, x, y - 1) + CoreAt(core, x, y + 1);
        const int corners = CoreAt(core, x - 1, y - 1) + CoreAt(core, x + 1, y - 1) + CoreAt(core, x - 1, y + 1) +
                            CoreAt(core, x + 1, y + 1);
        if (sides >= 2) v = kEdgeBend;
        else if (sides == 1) v = kEdgeSide;
        else if (corners > 0) v = kEdgeCorner;
      }
      const std::size_t i = static_cast<std::size_t>(y) * kSize + x;
      img.rgb[i * 3] = img.rgb[i * 3 + 1] = img.rgb[i * 3 + 2] = v;
      // The 12 carries a few odd fourth bytes, as pictures saved by some editors do; readers ignore them.
      if (index == 0 && v != 0 && v != kCore) fourth[i] = (x * 3 + y) % 8 == 0 ? 200 : (x * 3 + y) % 8 == 4 ? 227 : 255;
    }
  return img;
}
