#include <stdexcept>
#include <string>

#include "tools/render/RenderClock.h"
#include "tools/render/RenderModes.h"
#include "tools/render/RenderOptions.h"

namespace {
struct Range {
  const char* option;
  int ClockSettings::*field;
  int low;
  int high;
};

// The ranges the settings window offers; anything else is refused rather than drawn half-made.
const Range kRanges[] = {
    {"--size-step", &ClockSettings::sizeStep, 0, kMaxSizeStep},
    {"--skin", &ClockSettings::skin, kMinSkin, kMaxSkin},
    {"--dial", &ClockSettings::dialStyle, 0, kMaxDialStyle},
    {"--transparency", &ClockSettings::transparency, 0, kMaxTransparency},
    {"--hand-width", &ClockSettings::handWidth, 0, kMaxHandWidth},
    {"--seconds", &ClockSettings::showSeconds, 0, 1},
    {"--numerals", &ClockSettings::showNumerals, 0, 1},
};

void CheckRanges(const ClockSettings& settings)
{
  for (const Range& r : kRanges) {
    const int value = settings.*(r.field);
    if (value < r.low || value > r.high) {
      throw std::invalid_argument(std::string(r.option) + " must be " + std::to_string(r.low) + ".." +
                                  std::to_string(r.high) + ", not " + std::to_string(value));
    }
  }
}

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
  CheckRanges(settings);
  QPoint cursor(-1, -1);  // outside the frame: no hole
  if (OptionValue(args, "--cursor"))
    cursor = QPoint(IntOption(args, "--cursor", 0, 0), IntOption(args, "--cursor", 0, 1));
  WritePng(RenderClockFrame(settings, time, cursor), out);
  return 0;
}
