// --icon: the program icon at every size Windows shows it, as one .ico file (platform/win32/tickora.ico).
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Settings/ProgramPictures.h"
#include "tools/render/RenderModes.h"
#include "tools/render/RenderOptions.h"

namespace {
// Title bars and lists at 100 to 250 %, the taskbar, Explorer's views up to its largest.
constexpr int kSides[] = {16, 20, 24, 32, 40, 48, 64, 256};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// One image as a 32-bit DIB with straight alpha, rows bottom up, then the mask of its transparent
// pixels for whoever ignores the alpha (rows padded to 32 bits).
std::vector<std::uint8_t> IconImage(const ArgbImage& pixels)
{
  const int side = pixels.width();
  const int maskStride = (side + 31) / 32 * 4;
  std::vector<std::uint8_t> image;
  Put32(image, 40);  // BITMAPINFOHEADER
  Put32(image, static_cast<std::uint32_t>(side));
  Put32(image, static_cast<std::uint32_t>(2 * side));  // colour and mask, one above the other
  Put16(image, 1);
  Put16(image, 32);
  Put32(image, 0);  // BI_RGB
  Put32(image, static_cast<std::uint32_t>(side * side * 4 + maskStride * side));
  for (int i = 0; i < 4; ++i)
    Put32(image, 0);
  for (int row = side - 1; row >= 0; --row)
    for (int column = 0; column < side; ++column)
      Put32(image, pixels.Pixel(column, row));
  for (int row = side - 1; row >= 0; --row) {
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskStride), 0);
    for (int column = 0; column < side; ++column)
      if ((pixels.Pixel(column, row) >> 24) == 0)
        mask[static_cast<std::size_t>(column / 8)] |= static_cast<std::uint8_t>(0x80 >> (column % 8));
    image.insert(image.end(), mask.begin(), mask.end());
  }
  return image;
}
}  // namespace

int RenderIcon(const std::vector<std::string>& args)
{
  const std::string out = OutputPath(args);
  PictureCache pictures;
  std::vector<std::vector<std::uint8_t>> images;
  for (int side : kSides)
    images.push_back(IconImage(ProgramIconPixels(pictures, side)));

  std::vector<std::uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);  // an icon
  Put16(file, static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int side = kSides[i];
    file.push_back(static_cast<std::uint8_t>(side == 256 ? 0 : side));  // 0 stands for 256
    file.push_back(static_cast<std::uint8_t>(side == 256 ? 0 : side));
    file.push_back(0);  // no palette
    file.push_back(0);
    Put16(file, 1);
    Put16(file, 32);
    Put32(file, static_cast<std::uint32_t>(images[i].size()));
    Put32(file, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const auto& image : images)
    file.insert(file.end(), image.begin(), image.end());

  std::ofstream stream(out, std::ios::binary);
  stream.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!stream.flush())
    throw std::runtime_error("cannot write " + out);
  return 0;
}
