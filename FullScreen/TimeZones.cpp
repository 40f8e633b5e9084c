#include "FullScreen/TimeZones.h"

DialLabel LabelFor(const std::string& zone, const std::string& label, const std::string& city, const ZoneTime& now)
{
  DialLabel dial{label, {}};
  if (zone.empty())
    return dial;
  if (dial.name.empty())
    dial.name = city;
  // A zone the database does not know is named as stored, its last part being the city.
  if (dial.name.empty())
    dial.name = zone.substr(zone.find_last_of('/') == std::string::npos ? 0 : zone.find_last_of('/') + 1);
  if (!now.known)
    dial.mark = "UTC";
  if (now.dayOffset != 0) {
    // Signed by hand: GCC 12's -Wrestrict misreads "+" + std::to_string(...).
    std::string day = std::to_string(now.dayOffset);
    if (now.dayOffset > 0)
      day.insert(day.begin(), '+');
    dial.mark = dial.mark.empty() ? day : dial.mark + " " + day;
  }
  return dial;
}
