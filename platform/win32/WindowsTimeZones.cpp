#include "platform/win32/WindowsTimeZones.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "platform/win32/Utf16.h"

namespace {

// The registry's form of a zone's rules (REG_TZI_FORMAT).
struct StoredRules {
  LONG bias;
  LONG standardBias;
  LONG daylightBias;
  SYSTEMTIME standardDate;
  SYSTEMTIME daylightDate;
};
static_assert(sizeof(StoredRules) == 44);

class Key {
public:
  Key(HKEY parent, const std::wstring& path)
  {
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~Key()
  {
    if (key_)
      RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

  std::optional<std::string> Text(const wchar_t* name) const
  {
    wchar_t text[256] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    if (!key_ || RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
      return std::nullopt;
    return Utf8(text);
  }
  std::optional<DWORD> Number(const wchar_t* name) const
  {
    DWORD number = 0, size = sizeof number, type = 0;
    if (!key_ || RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
      return std::nullopt;
    return number;
  }
  std::optional<TIME_ZONE_INFORMATION> Rules(const wchar_t* name) const
  {
    StoredRules stored = {};
    DWORD size = sizeof stored, type = 0;
    if (!key_ || RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size) != ERROR_SUCCESS ||
        type != REG_BINARY || size != sizeof stored)
      return std::nullopt;
    TIME_ZONE_INFORMATION rules = {};
    rules.Bias = stored.bias;
    rules.StandardBias = stored.standardBias;
    rules.DaylightBias = stored.daylightBias;
    rules.StandardDate = stored.standardDate;
    rules.DaylightDate = stored.daylightDate;
    return rules;
  }

private:
  HKEY key_ = nullptr;
};

const std::wstring& ZonesKey()
{
  static const std::wstring key = Utf16(WindowsTimeZones::kZonesKey);
  return key;
}

// Days since 1601-01-01 of a date: only differences are taken.
long long DayNumber(const SYSTEMTIME& date)
{
  SYSTEMTIME midnight = {date.wYear, date.wMonth, 0, date.wDay, 0, 0, 0, 0};
  FILETIME file = {};
  SystemTimeToFileTime(&midnight, &file);
  const unsigned long long ticks = (static_cast<unsigned long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
  return static_cast<long long>(ticks / (10000000ULL * 86400ULL));
}

}  // namespace

WindowsTimeZones::WindowsTimeZones(std::string localZone) : localZone_(std::move(localZone)) {}

const WindowsTimeZones::Zone* WindowsTimeZones::Find(const std::string& name) const
{
  // A name that could reach another key is no zone; nothing is opened for it.
  if (name.empty() || name.find('\\') != std::string::npos)
    return nullptr;
  auto [at, added] = zones_.try_emplace(name);
  if (!added)
    return at->second ? &*at->second : nullptr;
  const Key key(HKEY_LOCAL_MACHINE, ZonesKey() + L'\\' + Utf16(name));
  const std::optional<TIME_ZONE_INFORMATION> rules = key.Rules(L"TZI");
  if (!rules)
    return nullptr;
  Zone zone;
  zone.rules = *rules;
  zone.display = key.Text(L"Display").value_or(name);
  if (const Key dynamic(key.get(), L"Dynamic DST"); dynamic.get()) {
    const DWORD first = dynamic.Number(L"FirstEntry").value_or(0), last = dynamic.Number(L"LastEntry").value_or(0);
    for (DWORD year = first; first > 0 && year <= last; ++year) {
      if (const auto yearRules = dynamic.Rules(std::to_wstring(year).c_str()))
        zone.years[static_cast<int>(year)] = *yearRules;
    }
  }
  at->second = std::move(zone);
  return &*at->second;
}

SYSTEMTIME WindowsTimeZones::Convert(const Zone& zone, const SYSTEMTIME& utc)
{
  // The year's own rules; a year outside the table takes its nearest one's, as Windows does.
  const auto rulesOf = [&zone](int year) {
    if (zone.years.empty())
      return zone.rules;
    const auto next = zone.years.lower_bound(year);
    if (next == zone.years.end())
      return zone.years.rbegin()->second;
    return next->first == year || next == zone.years.begin() ? next->second : std::prev(next)->second;
  };
  SYSTEMTIME local = utc;
  TIME_ZONE_INFORMATION rules = rulesOf(utc.wYear);
  SystemTimeToTzSpecificLocalTime(&rules, &utc, &local);
  // Near the new year the zone's year may differ from UTC's.
  if (local.wYear != utc.wYear) {
    rules = rulesOf(local.wYear);
    SystemTimeToTzSpecificLocalTime(&rules, &utc, &local);
  }
  return local;
}

SYSTEMTIME WindowsTimeZones::LocalAt(const SYSTEMTIME& utc) const
{
  if (const Zone* local = localZone_.empty() ? nullptr : Find(localZone_))
    return Convert(*local, utc);
  SYSTEMTIME local = utc;
  SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
  return local;
}

ZoneTime WindowsTimeZones::At(const std::string& name, const SYSTEMTIME& utc) const
{
  const Zone* zone = Find(name);
  const SYSTEMTIME there = zone ? Convert(*zone, utc) : utc;
  ZoneTime time;
  time.time = {there.wHour, there.wMinute, there.wSecond};
  time.known = zone != nullptr;
  time.dayOffset = static_cast<int>(DayNumber(there) - DayNumber(LocalAt(utc)));
  return time;
}

ZoneTime WindowsTimeZones::Now(const std::string& zone) const
{
  SYSTEMTIME utc = {};
  GetSystemTime(&utc);
  return At(zone, utc);
}

std::string WindowsTimeZones::CityOf(const std::string& name) const
{
  const Zone* zone = Find(name);
  if (!zone)
    return {};
  const std::string& display = zone->display;
  const std::size_t start = display.find(") ");
  if (start == std::string::npos)
    return {};
  const std::string city = display.substr(start + 2, display.find(',', start) - (start + 2));
  return city.substr(0, city.find_last_not_of(' ') + 1);
}

std::vector<ZoneChoice> WindowsTimeZones::Choices()
{
  struct Sorted {
    LONG bias;
    ZoneChoice choice;
  };
  std::vector<Sorted> zones;
  const Key all(HKEY_LOCAL_MACHINE, ZonesKey());
  if (!all.get())
    return {};
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(std::size(name));
    const LONG result = RegEnumKeyExW(all.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA)
      continue;
    if (result != ERROR_SUCCESS)
      break;
    const Key zone(all.get(), std::wstring(name, length));
    const auto rules = zone.Rules(L"TZI");
    if (!rules)
      continue;
    const std::string key = Utf8({name, length});
    zones.push_back({rules->Bias, {key, zone.Text(L"Display").value_or(key)}});
  }
  std::sort(zones.begin(), zones.end(), [](const Sorted& a, const Sorted& b) {
    return a.bias != b.bias ? a.bias > b.bias : a.choice.display < b.choice.display;
  });
  std::vector<ZoneChoice> choices;
  for (Sorted& zone : zones)
    choices.push_back(std::move(zone.choice));
  return choices;
}
