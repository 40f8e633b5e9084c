#include <stdexcept>
#include <string>

#include "tools/render/RenderClock.h"
#include "tools/render/RenderModes.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/PngFile.h"

namespace {
int TimeField(const std::string& text, std::size_t at, int high)
{
  const char tens = text[at];
  const char ones = text[at + 1];
  if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
    return -1;
  const int value = (tens - '0') * 10 + (ones - '0');
  return value <= high ? value : -1;
}

TimeOfDay ParseTime(const std::vector<std::string>& args)
{
  const auto text = OptionValue(args, "--time");
  if (!text)
    throw std::invalid_argument("--time HH:MM:SS is required");
  const std::string& t = *text;
  TimeOfDay time;
  if (t.size() == 8 && t[2] == ':' && t[5] == ':') {
    time.hours = TimeField(t, 0, 23);
    time.minutes = TimeField(t, 3, 59);
    time.seconds = TimeField(t, 6, 59);
    if (time.hours >= 0 && time.minutes >= 0 && time.seconds >= 0)
      return time;
  }
  throw std::invalid_argument("--time needs HH:MM:SS from 00:00:00 to 23:59:59, not '" + t + "'");
}
}  // namespace

int RenderFrame(const std::vector<std::string>& args)
{
  const std::string out = OutputPath(args);
  const TimeOfDay time = ParseTime(args);
  const ClockSettings settings = SettingsFromOptions(args);
  PixelPoint cursor{-1, -1};  // outside the frame: no hole
  if (OptionValue(args, "--cursor"))
    cursor = {IntOption(args, "--cursor", 0, 0), IntOption(args, "--cursor", 0, 1)};
  long double scale = 1.0L;
  if (const auto text = OptionValue(args, "--scale")) {
    std::size_t used = 0;
    try {
      scale = std::stold(*text, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (used != text->size() || !(scale >= 0.25L && scale <= kMaxDeviceScale))
      throw std::invalid_argument("--scale needs a number from 0.25 to 4, not '" + *text + "'");
  }
  WritePng(RgbaOfFrame(RenderClockFrame(settings, time, cursor, scale)), out);
  return 0;
}
