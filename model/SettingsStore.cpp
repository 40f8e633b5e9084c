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
constexpr char kZoneName[] = "Zone";
constexpr char kLabelName[] = "Label";
constexpr char kClockSectionPrefix[] = "Clock";

// A value's name in clock `number`'s section.
std::string NameIn(int number, std::string_view name)
{
  const std::string section = ClockSectionOf(number);
  return section.empty() ? std::string(name) : section + '/' + std::string(name);
}

// The text of a value that may be missing; anything but text counts as none.
std::string ReadText(const StoredValue& value)
{
  return value.kind == StoredValue::Kind::Text ? value.text : std::string();
}

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
    if (value.asNumber == StoredValue::Kind::Missing)
      Fail(kGetFailed, name);
    if (value.asNumber == StoredValue::Kind::OtherType || !IsInteger(value.text))
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

void SettingsStore::ReadAll(ClockSettings& settings, int number)
{
  // A store that exists but cannot be read has no value to give.
  if (!backend_->OpenForReading())
    Fail(kGetFailed, NameIn(number, kFields.front().name).c_str());
  for (const Field& field : kFields) {
    const std::string name = NameIn(number, field.name);
    settings.*field.member = ReadInteger(backend_->Read(name), name.c_str());
  }
}

void SettingsStore::WriteFields(const ClockSettings& settings, std::size_t first, std::size_t count, int number)
{
  std::array<std::string, kFields.size()> names;
  std::array<std::pair<std::string_view, std::int32_t>, kFields.size()> values;
  for (std::size_t i = 0; i < count; ++i) {
    names[i] = NameIn(number, kFields[first + i].name);
    values[i] = {names[i], settings.*kFields[first + i].member};
  }
  const std::size_t written = backend_->Write(std::span(values.data(), count));
  if (written < count)
    Fail(kSetFailed, names[written].c_str());
}

void SettingsStore::LoadSettings(ClockSettings& settings, ScreenRect screen, long double scale)
{
  if (!backend_->Exists()) {
    settings = FirstStartSettings(screen, scale);
    try {
      WriteFields(settings, 0, kFields.size(), kFirstClock);
    } catch (const TickoraError&) {
      // A store that cannot be created at the first start: the clock runs on its defaults.
    }
    firstStart_ = true;
    return;
  }
  // Values that cannot be read keep their first-start defaults so the clock can still start.
  ClockSettings loaded = FirstStartSettings(screen, scale);
  try {
    ReadAll(loaded, kFirstClock);
  } catch (const TickoraError&) {
    BringIntoRange(loaded);
    settings = loaded;
    throw;
  }
  BringIntoRange(loaded);
  settings = loaded;
}

void SettingsStore::SaveSettings(const ClockSettings& settings, int number)
{
  WriteFields(settings, 0, kFields.size(), number);
}

void SettingsStore::SavePosition(const ClockSettings& settings, int number)
{
  WriteFields(settings, kLeftField, 2, number);
}

std::vector<int> SettingsStore::StoredClockNumbers()
{
  std::vector<int> numbers;
  if (!backend_->Exists() || !backend_->OpenForReading())
    return numbers;
  for (const std::string& section : backend_->Sections()) {
    // "Clock" and a number without sign or leading zero, so each number has one section.
    const std::string_view prefix = kClockSectionPrefix;
    if (section.size() <= prefix.size() || section.compare(0, prefix.size(), prefix) != 0)
      continue;
    const std::string_view digits = std::string_view(section).substr(prefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error == std::errc() && end == digits.data() + digits.size() && digits.front() != '0' &&
        number > kFirstClock && number <= kMaxClockNumber)
      numbers.push_back(number);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

void SettingsStore::LoadClock(int number, ClockSettings& settings, ClockZone& zone)
{
  ClockSettings loaded;
  ReadAll(loaded, number);
  BringIntoRange(loaded);
  settings = loaded;
  zone = LoadZone(number);
}

ClockZone SettingsStore::LoadZone(int number)
{
  ClockZone zone;
  if (!backend_->Exists() || !backend_->OpenForReading())
    return zone;
  // The zone's name is kept as stored, even one the system does not know: it may come back with an
  // update of the zone database.
  zone.zone = ReadText(backend_->Read(NameIn(number, kZoneName)));
  zone.label = CleanLabel(ReadText(backend_->Read(NameIn(number, kLabelName))));
  return zone;
}

void SettingsStore::SaveZone(const ClockZone& zone, int number)
{
  const std::string zoneName = NameIn(number, kZoneName);
  const std::string labelName = NameIn(number, kLabelName);
  // A first clock in local time without a label stores nothing new: its store stays as it was.
  if (number == kFirstClock && zone == ClockZone{} && LoadZone(number) == ClockZone{})
    return;
  const std::string label = CleanLabel(zone.label);
  const std::array<std::pair<std::string_view, std::string_view>, 2> values = {{{zoneName, zone.zone}, {labelName, label}}};
  if (!backend_->WriteTexts(values))
    Fail(kSetFailed, zoneName.c_str());
}

void SettingsStore::RemoveClock(int number)
{
  const std::string section = ClockSectionOf(number);
  if (section.empty() || !backend_->RemoveSection(section))
    Fail(kSetFailed, section.c_str());
}

std::string ClockSectionOf(int number)
{
  return number == kFirstClock ? std::string() : kClockSectionPrefix + std::to_string(number);
}

std::string CleanLabel(std::string_view text)
{
  std::string line(text);
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
      c = ' ';
  }
  const std::size_t first = line.find_first_not_of(' ');
  if (first == std::string::npos)
    return {};
  line = line.substr(first, line.find_last_not_of(' ') - first + 1);
  if (line.size() > kMaxLabelBytes) {
    // Cut before a continuation byte's character, never inside one.
    std::size_t cut = kMaxLabelBytes;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
      --cut;
    line.resize(cut);
    line.erase(line.find_last_not_of(' ') + 1);
  }
  return line;
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
