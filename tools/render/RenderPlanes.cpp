// --planes face|marker|hand: one plane set exactly as a fresh clock synthesises it.
#include <memory>
#include <stdexcept>
#include <string>


#include "Clocks/ClockData.h"
#include "Clocks/BuildClockImages.h"
#include "tools/render/RenderModes.h"
#include "tools/render/PngFile.h"
#include "tools/render/RenderOptions.h"

namespace {
// The hand sprite's extent is its last column and row.
constexpr int kHandWidth = kHandExtentX + 1;
constexpr int kHandHeight = kHandExtentY + 1;

// A = alpha plane, R G B = colour planes, unpremultiplied.
RgbaImage ImageOf(const ArgbPlanes& planes, int width, int height)
{
  RgbaImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.Set(x, y, static_cast<std::uint8_t>(planes.red[y][x]), static_cast<std::uint8_t>(planes.green[y][x]),
                static_cast<std::uint8_t>(planes.blue[y][x]), static_cast<std::uint8_t>(planes.alpha[y][x]));
  return image;
}
}  // namespace

int RenderPlanes(const std::vector<std::string>& args)
{
  const std::string which = OptionValue(args, "--planes").value_or("");
  if (which != "face" && which != "marker" && which != "hand")
    throw std::invalid_argument("--planes needs face, marker or hand, not '" + which + "'");
  const ClockSettings settings = SettingsFromOptions(args);
  const std::string out = OutputPath(args);

  const auto data = MakeSynthesisedClock(settings);

  RgbaImage image;
  if (which == "face")
    image = ImageOf(data->facePlanes, data->geometry.diameter, data->geometry.diameter);
  else if (which == "marker")
    image = ImageOf(data->markerPlanes, kMarkerSide, kMarkerSide);
  else
    image = ImageOf(data->handPlanes, kHandWidth, kHandHeight);
  WritePng(image, out);
  return 0;
}
