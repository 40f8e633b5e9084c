#include "model/SettingsStore.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <utility>

#include "model/ClockGeometry.h"
#include "model/Numbers.h"
#include "model/TickoraError.h"

namespace {

constexpr char kGetFailed[] = "Failed to get data for '%s'";
constexpr char kWrongType[] = "Invalid data type for '%s'";
constexpr char kSetFailed[] = "Failed to set data for '%s'";

struct Field {
  const char* name;
  std::int32_t ClockSettings::*member;
};

// The order in which every operation reads and writes the values.
constexpr std::array<Field, 9> kFields = {{
    {"Size", &ClockSettings::sizeStep},
    {"Algoritm", &ClockSettings::skin},
    {"Clock_F", &ClockSettings::dialStyle},
    {"Clock_FF", &ClockSettings::transparency},
    {"Seconds", &ClockSettings::showSeconds},
    {"Arrows_Width", &ClockSettings::handWidth},
    {"Dig_On_Off", &ClockSettings::showNumerals},
    {"Left", &ClockSettings::left},
    {"Top", &ClockSettings::top},
}};
constexpr std::size_t kLeftField = 7;

[[noreturn]] void Fail(const char* pattern, const char* name)
{
  throw TickoraError(FormatMessage(pattern, name));
}

// An optional sign and at least one digit, nothing else.
bool IsInteger(std::string_view text)
{
  std::size_t at = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (at == text.size())
    return false;
  return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

std::int32_t ReadInteger(const StoredValue& value, const char* name)
{
  long long number = 0;
  switch (value.kind) {
  case StoredValue::Kind::Missing:
    Fail(kGetFailed, name);
  case StoredValue::Kind::Integer:
    number = value.integer;
    break;
  case StoredValue::Kind::Text: {
    if (!IsInteger(value.text))
      Fail(kWrongType, name);
    std::string_view digits = value.text;
    if (digits.front() == '+')
      digits.remove_prefix(1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    // An integer that does not fit is data too long for the value.
    if (error != std::errc() || end != digits.data() + digits.size())
      Fail(kGetFailed, name);
    break;
  }
  case StoredValue::Kind::OtherType:
    Fail(kWrongType, name);
  }
  if (number < std::numeric_limits<std::int32_t>::min() || number > std::numeric_limits<std::int32_t>::max())
    Fail(kGetFailed, name);
  return static_cast<std::int32_t>(number);
}

}  // namespace

SettingsStore::SettingsStore(std::unique_ptr<SettingsBackend> backend) : backend_(std::move(backend)) {}

void SettingsStore::ReadAll(ClockSettings& settings)
{
  // A store that exists but cannot be read has no value to give.
  if (!backend_->OpenForReading())
    Fail(kGetFailed, kFields.front().name);
  for (const Field& field : kFields)
    settings.*field.member = ReadInteger(backend_->Read(field.name), field.name);
}

void SettingsStore::WriteFields(const ClockSettings& settings, std::size_t first, std::size_t count)
{
  std::array<std::pair<std::string_view, std::int32_t>, kFields.size()> values;
  for (std::size_t i = 0; i < count; ++i)
    values[i] = {kFields[first + i].name, settings.*kFields[first + i].member};
  const std::size_t written = backend_->Write(std::span(values.data(), count));
  if (written < count)
    Fail(kSetFailed, kFields[first + written].name);
}

void SettingsStore::LoadSettings(ClockSettings& settings, ScreenRect screen, long double scale)
{
  if (!backend_->Exists()) {
    settings = FirstStartSettings(screen, scale);
    try {
      WriteFields(settings, 0, kFields.size());
    } catch (const TickoraError&) {
      // A store that cannot be created at the first start: the clock runs on its defaults.
    }
    firstStart_ = true;
    return;
  }
  // Values that cannot be read keep their first-start defaults so the clock can still start.
  ClockSettings loaded = FirstStartSettings(screen, scale);
  try {
    ReadAll(loaded);
  } catch (const TickoraError&) {
    BringIntoRange(loaded);
    settings = loaded;
    throw;
  }
  BringIntoRange(loaded);
  settings = loaded;
}

void SettingsStore::SaveSettings(const ClockSettings& settings)
{
  WriteFields(settings, 0, kFields.size());
}

void SettingsStore::SavePosition(const ClockSettings& settings)
{
  WriteFields(settings, kLeftField, 2);
}

bool SettingsStore::LoadChoice(const char* name, bool fallback)
{
  if (!backend_->Exists() || !backend_->OpenForReading())
    return fallback;
  try {
    return ReadInteger(backend_->Read(name), name) != 0;
  } catch (const TickoraError&) {
    return fallback;
  }
}

void SettingsStore::SaveChoice(const char* name, bool on)
{
  const std::pair<std::string_view, std::int32_t> value{name, on ? 1 : 0};
  if (backend_->Write(std::span(&value, 1)) < 1)
    Fail(kSetFailed, name);
}

ClockSettings FirstStartSettings(ScreenRect screen, long double scale)
{
  ClockSettings settings;
  std::int32_t d = OddDiameterOf(settings.sizeStep);
  if (scale != 1.0L)
    d = DeviceDiameterOf(d, scale);
  if (d >= screen.height)
    d = screen.height;
  const long double halfD = static_cast<long double>(d) / 2.0L;
  settings.left = screen.x + Round(static_cast<long double>(screen.width) / 2.0L - halfD);
  settings.top = screen.y + Round(static_cast<long double>(screen.height) / 2.0L - halfD);
  return settings;
}

void BringIntoRange(ClockSettings& settings)
{
  settings.sizeStep = std::clamp(settings.sizeStep, 0, kMaxSizeStep);
  settings.skin = std::clamp(settings.skin, kMinSkin, kMaxSkin);
  settings.dialStyle = std::clamp(settings.dialStyle, 0, kMaxDialStyle);
  settings.transparency = std::clamp(settings.transparency, 0, kMaxTransparency);
  settings.handWidth = std::clamp(settings.handWidth, 0, kMaxHandWidth);
}
