#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <limits>
#include <memory>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/qt/ClockWatches.h"
#include "platform/qt/WallClockWatch.h"
#include "tests/qt/ShellTestSupport.h"

TEST(WallClockWatch, ArmsItsNoticeDecadesAheadOfNowAtAnyDate)
{
  constexpr std::time_t last = std::numeric_limits<std::time_t>::max(), y2038 = std::numeric_limits<std::int32_t>::max();
  for (const std::time_t now : {std::time_t{0}, y2038, y2038 + 1, std::time_t{4102444800} /* 2100 */, last - 1, last})
    EXPECT_TRUE(WallClockWatch::FarExpiry(now) - now > 50LL * 365 * 86400 || WallClockWatch::FarExpiry(now) == last) << now;
}

// Every clock listening, and no clock gone, hears each change of the zone: the link replaced as
// timedatectl does it, the file it names replaced or rewritten by a zone update, the link gone and back.
TEST(WallClockWatch, EveryListeningClockHearsEachZoneChange)
{
  EnsureApplication();
  QTemporaryDir dir;
  const QString link = dir.filePath("localtime"), berlin = dir.filePath("zones/Berlin"), tokyo = dir.filePath("zones/Tokyo");
  const auto write = [](const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
  };
  // Over whatever is there, as rename(2) does and QFile::rename does not.
  const auto rename = [](const QString& from, const QString& to) { return std::rename(qPrintable(from), qPrintable(to)) == 0; };
  ASSERT_TRUE(QDir(dir.path()).mkdir("zones") && write(berlin, "TZif 1") && write(tokyo, "TZif 2") && QFile::link(berlin, link));

  const auto watches = std::make_shared<ClockWatches>(link);
  int first = 0, second = 0;
  ClockWatches::Listener one({.wallClockJumped = [&first] { ++first; }}, watches);
  auto two = std::make_unique<ClockWatches::Listener>(ClockWatches::Reports{.wallClockJumped = [&second] { ++second; }}, watches);
  const struct { const char* change; std::function<bool()> make; bool secondGone; } changes[] = {
      {"another link renamed over it", [&] { return QFile::link(tokyo, link + ".new") && rename(link + ".new", link); }, false},
      {"the zone it names replaced", [&] { return write(tokyo + ".new", "TZif 3") && rename(tokyo + ".new", tokyo); }, false},
      {"the zone it names rewritten", [&] { return write(tokyo, "TZif 4"); }, true},
      {"the link removed", [&] { return QFile::remove(link); }, true},
      {"a link made anew", [&] { return QFile::link(berlin, link); }, true},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.change);
    if (c.secondGone)
      two.reset();
    const int before = first, secondBefore = second;
    ASSERT_TRUE(c.make());
    for (QDeadlineTimer deadline(10000); first == before && !deadline.hasExpired();)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_GT(first, before);
    EXPECT_EQ(second > secondBefore, !c.secondGone);
  }
}
