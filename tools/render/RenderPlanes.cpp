// --planes face|marker|hand: one plane set exactly as a fresh clock synthesises it.
#include <memory>
#include <stdexcept>
#include <string>

#include <QImage>

#include "Clocks/ClockData.h"
#include "Clocks/BuildClockImages.h"
#include "tools/render/RenderModes.h"
#include "tools/render/RenderOptions.h"

namespace {
// The hand sprite's extent is its last column and row.
constexpr int kHandWidth = kHandExtentX + 1;
constexpr int kHandHeight = kHandExtentY + 1;

// A = alpha plane, R G B = colour planes, unpremultiplied.
template <int Rows, int Columns>
QImage ImageOf(const ArgbPlanes<Rows, Columns>& planes, int width, int height)
{
  QImage image(width, height, QImage::Format_RGBA8888);
  for (int y = 0; y < height; ++y) {
    uchar* line = image.scanLine(y);
    for (int x = 0; x < width; ++x) {
      line[4 * x] = static_cast<uchar>(planes.red[y][x]);
      line[4 * x + 1] = static_cast<uchar>(planes.green[y][x]);
      line[4 * x + 2] = static_cast<uchar>(planes.blue[y][x]);
      line[4 * x + 3] = static_cast<uchar>(planes.alpha[y][x]);
    }
  }
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

  QImage image;
  if (which == "face")
    image = ImageOf(data->facePlanes, data->geometry.diameter, data->geometry.diameter);
  else if (which == "marker")
    image = ImageOf(data->markerPlanes, kMarkerSide, kMarkerSide);
  else
    image = ImageOf(data->handPlanes, kHandWidth, kHandHeight);
  WritePng(image, out);
  return 0;
}
