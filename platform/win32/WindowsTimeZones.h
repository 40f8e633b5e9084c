#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "FullScreen/TimeZones.h"

// A zone as the settings window offers it: its key, and the name Windows shows for it.
struct ZoneChoice {
  std::string key;      // "Nepal Standard Time"
  std::string display;  // "(UTC+05:45) Kathmandu"
};

// Windows' own time zones, as the registry keeps them (kZonesKey); a clock's zone is a key's name.
// Each zone's rules are read once, with the year's own where "Dynamic DST" has them.
class WindowsTimeZones : public TimeZones {
public:
  static constexpr char kZonesKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

  // The day mark counts against `localZone`'s date, a key of kZonesKey; empty: the system's own zone.
  explicit WindowsTimeZones(std::string localZone = {});

  ZoneTime Now(const std::string& zone) const override;
  // "Kathmandu" from "(UTC+05:45) Kathmandu", "Amsterdam" from "(UTC+01:00) Amsterdam, Berlin, ...".
  std::string CityOf(const std::string& zone) const override;
  // The time in `zone` at an instant of UTC.
  ZoneTime At(const std::string& zone, const SYSTEMTIME& utc) const;

  // Every zone, in Windows' own order: west to east, then by name.
  static std::vector<ZoneChoice> Choices();

private:
  struct Zone {
    std::string display;
    TIME_ZONE_INFORMATION rules = {};
    std::map<int, TIME_ZONE_INFORMATION> years;  // Dynamic DST
  };
  // Null for a name that is not a zone's key.
  const Zone* Find(const std::string& zone) const;
  // `utc` in the zone's time, by the rules of the year it falls in there.
  static SYSTEMTIME Convert(const Zone& zone, const SYSTEMTIME& utc);
  SYSTEMTIME LocalAt(const SYSTEMTIME& utc) const;

  std::string localZone_;
  mutable std::map<std::string, std::optional<Zone>> zones_;
};
