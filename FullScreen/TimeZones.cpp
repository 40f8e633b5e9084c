#include "FullScreen/TimeZones.h"

std::string LabelText(const std::string& zone, const std::string& label, const std::string& city, const ZoneTime& now)
{
  if (zone.empty())
    return label;
  std::string text = label;
  if (text.empty())
    text = city;
  // A zone the database does not know is named as stored, its last part being the city.
  if (text.empty())
    text = zone.substr(zone.find_last_of('/') == std::string::npos ? 0 : zone.find_last_of('/') + 1);
  if (!now.known)
    text += " (UTC)";
  if (now.dayOffset != 0)
    text += now.dayOffset > 0 ? " +" + std::to_string(now.dayOffset) : " " + std::to_string(now.dayOffset);
  return text;
}
