#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include "platform/qt/QtTimeZones.h"

namespace {
qint64 Utc(const char* when)
{
  return QDateTime::fromString(QString::fromLatin1(when), Qt::ISODate).toMSecsSinceEpoch();
}
}  // namespace

// The zone's time at each change of its offset and a second before, from the published rules: DST
// shows at the first tick after it, 30-minute and 45-minute offsets included, and the date across the
// year's end.
TEST(TimeZones, OffsetChangesShowFromTheirFirstSecond)
{
  const struct {
    const char* zone;
    const char* utc;
    TimeOfDay shown;
    int dayOffset;  // against UTC
  } cases[] = {
      {"Europe/Berlin", "2024-03-31T00:59:59Z", {1, 59, 59}, 0},
      {"Europe/Berlin", "2024-03-31T01:00:00Z", {3, 0, 0}, 0},
      {"Europe/Berlin", "2024-10-27T00:59:59Z", {2, 59, 59}, 0},
      {"Europe/Berlin", "2024-10-27T01:00:00Z", {2, 0, 0}, 0},
      {"America/New_York", "2024-03-10T06:59:59Z", {1, 59, 59}, 0},
      {"America/New_York", "2024-03-10T07:00:00Z", {3, 0, 0}, 0},
      {"America/New_York", "2024-11-03T05:59:59Z", {1, 59, 59}, 0},
      {"America/New_York", "2024-11-03T06:00:00Z", {1, 0, 0}, 0},
      {"Australia/Lord_Howe", "2024-04-06T14:59:59Z", {1, 59, 59}, 1},
      {"Australia/Lord_Howe", "2024-04-06T15:00:00Z", {1, 30, 0}, 1},
      {"Australia/Lord_Howe", "2024-10-05T15:29:59Z", {1, 59, 59}, 1},
      {"Australia/Lord_Howe", "2024-10-05T15:30:00Z", {2, 30, 0}, 1},
      {"Asia/Kathmandu", "2024-06-01T00:00:00Z", {5, 45, 0}, 0},
      {"Asia/Kathmandu", "2024-06-01T18:14:59Z", {23, 59, 59}, 0},
      {"Asia/Kathmandu", "2024-06-01T18:15:00Z", {0, 0, 0}, 1},
      {"America/Santiago", "2024-04-07T02:59:59Z", {23, 59, 59}, -1},
      {"America/Santiago", "2024-04-07T03:00:00Z", {23, 0, 0}, -1},
      {"America/Santiago", "2024-09-08T03:59:59Z", {23, 59, 59}, -1},
      {"America/Santiago", "2024-09-08T04:00:00Z", {1, 0, 0}, 0},
      {"America/Santiago", "2024-12-31T23:00:00Z", {20, 0, 0}, 0},
      {"America/Santiago", "2025-01-01T02:59:59Z", {23, 59, 59}, -1},
      {"America/Santiago", "2025-01-01T03:00:00Z", {0, 0, 0}, 0},
  };
  const QtTimeZones zones;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.zone) + " at " + c.utc);
    const ZoneTime at = zones.At(c.zone, Utc(c.utc), QTimeZone::utc());
    EXPECT_TRUE(at.known);
    EXPECT_EQ(at.time, c.shown);
    EXPECT_EQ(at.dayOffset, c.dayOffset);
  }
}

// A name that is no zone of the database shows UTC, unknown; one that reaches outside the database
// opens nothing there, even a real zone's file.
TEST(TimeZones, NamesOutsideTheDatabaseShowUtc)
{
  QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tickora-zone-XXXXXX"));
  ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/share/zoneinfo/Asia/Kathmandu"), dir.filePath("Kathmandu")));
  const std::string outside = "../../../.." + dir.filePath("Kathmandu").toStdString();
  const QtTimeZones zones;
  for (const std::string& name : {std::string("Mars/Olympus"), outside, std::string("/etc/localtime"),
                                  std::string("Asia/../Asia/Kathmandu")}) {
    SCOPED_TRACE(name);
    const ZoneTime at = zones.At(name, Utc("2024-06-01T12:00:00Z"), QTimeZone::utc());
    EXPECT_FALSE(at.known);
    EXPECT_EQ(at.time, (TimeOfDay{12, 0, 0}));
    EXPECT_EQ(zones.CityOf(name), "");
  }
  EXPECT_EQ(zones.CityOf("America/Argentina/Buenos_Aires"), "Buenos Aires");
  EXPECT_EQ(QtTimeZones::ZoneOfChoice(QStringLiteral("Kathmandu, Nepal (Asia/Kathmandu)")), "Asia/Kathmandu");
}
