#pragma once
#include <string>

struct TimeOfDay {
  int hours = 0;  // 0..23
  int minutes = 0;
  int seconds = 0;
  bool operator==(const TimeOfDay&) const = default;
};

// The time in a clock's zone, and how its date stands against the local one (+1: a day ahead).
struct ZoneTime {
  TimeOfDay time;
  int dayOffset = 0;
  // False for a zone the system's database does not hold: the time is UTC's.
  bool known = true;
};

// The system's own zone database (IANA zones on Linux, Windows' time zones on Windows), so zones stay
// as current as the system keeps them. A name that is not a zone there, or that reaches outside the
// database, is unknown; nothing outside the database is ever read for it.
class TimeZones {
public:
  virtual ~TimeZones() = default;
  // Now in `zone` (not empty).
  virtual ZoneTime Now(const std::string& zone) const = 0;
  // The place a zone is named after ("Kathmandu" for Asia/Kathmandu), for a clock the user gave no
  // label; empty where the database names none.
  virtual std::string CityOf(const std::string& zone) const = 0;
};

// What a clock's dial says below its centre: the user's label, else the zone's city; under it "UTC"
// when the zone is unknown and the day mark ("+1", "-1") while the zone's date differs from the local
// one. Nothing for a clock in local time without a label.
struct DialLabel {
  std::string name;
  std::string mark;
  bool operator==(const DialLabel&) const = default;
};
DialLabel LabelFor(const std::string& zone, const std::string& label, const std::string& city, const ZoneTime& now);
