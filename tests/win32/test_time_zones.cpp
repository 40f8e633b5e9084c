#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/win32/WindowsTimeZones.h"

namespace {
SYSTEMTIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
  return {year, month, 0, day, hour, minute, second, 0};
}
}  // namespace

// Each zone's time at and around its changes, from the published rules; the day mark against a
// local zone of UTC.
TEST(WindowsTimeZones, ZoneTimesAtTheirChangesFromThePublishedRules)
{
  const WindowsTimeZones zones("UTC");
  const struct {
    const char* zone;
    SYSTEMTIME utc;
    TimeOfDay there;
    int dayOffset;
  } cases[] = {
      // Berlin: CET to CEST on the last Sunday of March at 01:00 UTC, back on October's.
      {"W. Europe Standard Time", Utc(2024, 3, 31, 0, 59, 59), {1, 59, 59}, 0},
      {"W. Europe Standard Time", Utc(2024, 3, 31, 1, 0, 0), {3, 0, 0}, 0},
      {"W. Europe Standard Time", Utc(2024, 10, 27, 0, 59, 59), {2, 59, 59}, 0},
      {"W. Europe Standard Time", Utc(2024, 10, 27, 1, 0, 0), {2, 0, 0}, 0},
      // New York: the second Sunday of March and the first of November at 02:00 local.
      {"Eastern Standard Time", Utc(2024, 3, 10, 6, 59, 59), {1, 59, 59}, 0},
      {"Eastern Standard Time", Utc(2024, 3, 10, 7, 0, 0), {3, 0, 0}, 0},
      {"Eastern Standard Time", Utc(2024, 11, 3, 5, 59, 59), {1, 59, 59}, 0},
      {"Eastern Standard Time", Utc(2024, 11, 3, 6, 0, 0), {1, 0, 0}, 0},
      {"Eastern Standard Time", Utc(2024, 11, 3, 3, 59, 59), {23, 59, 59}, -1},
      // Kathmandu: +5:45 all year.
      {"Nepal Standard Time", Utc(2024, 6, 1, 0, 0, 0), {5, 45, 0}, 0},
      {"Nepal Standard Time", Utc(2024, 12, 31, 18, 15, 0), {0, 0, 0}, 1},
      // Lord Howe: half an hour, from +11 to +10:30 on the first Sunday of April at 02:00, back on
      // October's.
      {"Lord Howe Standard Time", Utc(2024, 4, 6, 14, 59, 59), {1, 59, 59}, 1},
      {"Lord Howe Standard Time", Utc(2024, 4, 6, 15, 0, 0), {1, 30, 0}, 1},
      {"Lord Howe Standard Time", Utc(2024, 10, 5, 15, 29, 59), {1, 59, 59}, 1},
      {"Lord Howe Standard Time", Utc(2024, 10, 5, 15, 30, 0), {2, 30, 0}, 1},
      // Santiago: -3 from the first Saturday of September at 24:00 to the first Saturday of April at
      // 24:00, -4 between; across the new year.
      {"Pacific SA Standard Time", Utc(2024, 4, 7, 2, 59, 59), {23, 59, 59}, -1},
      {"Pacific SA Standard Time", Utc(2024, 4, 7, 3, 0, 0), {23, 0, 0}, -1},
      {"Pacific SA Standard Time", Utc(2024, 9, 8, 3, 59, 59), {23, 59, 59}, -1},
      {"Pacific SA Standard Time", Utc(2024, 9, 8, 4, 0, 0), {1, 0, 0}, 0},
      {"Pacific SA Standard Time", Utc(2024, 12, 31, 23, 0, 0), {20, 0, 0}, 0},
      {"Pacific SA Standard Time", Utc(2025, 1, 1, 2, 59, 59), {23, 59, 59}, -1},
      // 2025's own rule (Dynamic DST): the first Sunday of September, not the second as in 2024.
      {"Pacific SA Standard Time", Utc(2025, 9, 7, 4, 0, 0), {1, 0, 0}, 0},
  };
  std::set<std::string> missing;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.zone) + " at " + std::to_string(c.utc.wMonth) + "-" + std::to_string(c.utc.wDay) + " " +
                 std::to_string(c.utc.wHour) + ":" + std::to_string(c.utc.wMinute) + ":" + std::to_string(c.utc.wSecond));
    const ZoneTime time = zones.At(c.zone, c.utc);
    if (!time.known) {
      missing.insert(c.zone);
      continue;
    }
    EXPECT_EQ(time.time, c.there);
    EXPECT_EQ(time.dayOffset, c.dayOffset);
  }
  if (!missing.empty()) {
    std::string names;
    for (const std::string& zone : missing)
      names += " '" + zone + "'";
    GTEST_SKIP() << "this system's zone database lacks" << names;
  }
}

TEST(WindowsTimeZones, NamesOutsideTheDatabaseShowUtcAndNameNoCity)
{
  const WindowsTimeZones zones("UTC");
  const SYSTEMTIME utc = Utc(2024, 6, 1, 12, 34, 56);
  for (const char* name : {"No Such Standard Time", "..\\..\\Foo", "Nepal Standard Time\\Dynamic DST", ""}) {
    SCOPED_TRACE(name);
    const ZoneTime time = zones.At(name, utc);
    EXPECT_FALSE(time.known);
    EXPECT_EQ(time.time, (TimeOfDay{12, 34, 56}));
    EXPECT_EQ(time.dayOffset, 0);
    EXPECT_EQ(zones.CityOf(name), "");
  }
}

TEST(WindowsTimeZones, CitiesAndTheListComeFromWindowsDisplayNames)
{
  const WindowsTimeZones zones;
  const struct {
    const char* zone;
    const char* city;
  } cases[] = {{"Nepal Standard Time", "Kathmandu"}, {"W. Europe Standard Time", "Amsterdam"}};
  for (const auto& c : cases)
    EXPECT_EQ(zones.CityOf(c.zone), c.city) << c.zone;
  const std::vector<ZoneChoice> choices = WindowsTimeZones::Choices();
  ASSERT_GT(choices.size(), 100u);
  // West to east, as Windows lists them.
  EXPECT_EQ(choices.front().key, "Dateline Standard Time");
  EXPECT_EQ(choices.back().key, "Line Islands Standard Time");
}
