#include "tools/render/RenderOptions.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

std::optional<std::string> OptionValue(const std::vector<std::string>& args, const std::string& name, int index)
{
  const auto it = std::find(args.begin(), args.end(), name);
  if (it == args.end())
    return std::nullopt;
  const auto at = static_cast<std::size_t>(it - args.begin()) + 1 + static_cast<std::size_t>(index);
  if (at >= args.size())
    throw std::invalid_argument(name + " needs a value");
  return args[at];
}

int IntOption(const std::vector<std::string>& args, const std::string& name, int fallback, int index)
{
  const auto text = OptionValue(args, name, index);
  if (!text)
    return fallback;
  int value = 0;
  const char* end = text->data() + text->size();
  const auto [ptr, ec] = std::from_chars(text->data(), end, value);
  if (ec != std::errc() || ptr != end)
    throw std::invalid_argument(name + " needs an integer, not '" + *text + "'");
  return value;
}

std::string OutputPath(const std::vector<std::string>& args)
{
  const auto out = OptionValue(args, "--out");
  if (!out || out->empty())
    throw std::invalid_argument("--out FILE.png is required");
  return *out;
}

namespace {
struct Range {
  const char* option;
  std::int32_t ClockSettings::*field;
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
}  // namespace

ClockSettings SettingsFromOptions(const std::vector<std::string>& args)
{
  ClockSettings s;
  s.sizeStep = IntOption(args, "--size-step", s.sizeStep);
  s.skin = IntOption(args, "--skin", s.skin);
  s.dialStyle = IntOption(args, "--dial", s.dialStyle);
  s.transparency = IntOption(args, "--transparency", s.transparency);
  s.handWidth = IntOption(args, "--hand-width", s.handWidth);
  s.showSeconds = IntOption(args, "--seconds", s.showSeconds);
  s.showNumerals = IntOption(args, "--numerals", s.showNumerals);
  for (const Range& r : kRanges) {
    const int value = s.*(r.field);
    if (value < r.low || value > r.high)
      throw std::invalid_argument(std::string(r.option) + " must be " + std::to_string(r.low) + ".." +
                                  std::to_string(r.high) + ", not " + std::to_string(value));
  }
  return s;
}
