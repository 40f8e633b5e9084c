// --picture NAME --size W H: a catalogue picture painted the way the clock paints it, for inspection.
#include <stdexcept>
#include <string>

#include "skins/Catalogue.h"
#include "skins/RgbSurface.h"
#include "tools/render/RenderModes.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/PngFile.h"

namespace {
constexpr int kMaxSide = 4096;

std::string KnownNames()
{
  std::string names;
  for (const CatalogueEntry& entry : CatalogueEntries())
    names += (names.empty() ? "" : " ") + std::string(entry.name);
  return names;
}

RgbaImage ImageOf(const RgbSurface& surface)
{
  RgbaImage image(surface.width(), surface.height());
  for (std::int32_t y = 0; y < surface.height(); ++y) {
    const std::uint8_t* row = surface.ScanRow(y);
    for (std::int32_t x = 0; x < surface.width(); ++x)
      image.Set(x, y, row[3 * x + 2], row[3 * x + 1], row[3 * x], 255);
  }
  return image;
}
}  // namespace

int RenderPicture(const std::vector<std::string>& args)
{
  const std::string name = OptionValue(args, "--picture").value_or("");
  if (!FindCatalogueEntry(name))
    throw std::invalid_argument("there is no picture named '" + name + "'; the pictures are: " + KnownNames());
  if (!OptionValue(args, "--size"))
    throw std::invalid_argument("--size W H is required");
  const int width = IntOption(args, "--size", 0, 0);
  const int height = IntOption(args, "--size", 0, 1);
  if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide)
    throw std::invalid_argument("--size needs a width and a height from 1 to " + std::to_string(kMaxSide) + ", not " +
                                std::to_string(width) + " x " + std::to_string(height));
  const std::string out = OutputPath(args);

  PictureCache pictures;
  RgbSurface surface;
  surface.SetSurfaceWidth(width);
  surface.SetSurfaceHeight(height);
  surface.PaintStretched({0, 0, width, height}, pictures.Get(name));
  WritePng(ImageOf(surface), out);
  return 0;
}
