#pragma once
#include <ctime>
#include <functional>

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// Tells when the wall clock jumps: the time set, the machine back from sleep (the kernel's timers do
// not count the sleep, so a clock waking once a minute would show the old time for up to a minute),
// or the local time zone changed. A sleeping clock then draws the time at once.
class WallClockWatch : public QObject {
public:
  // `zoneFile` names the local zone (a link or a file). It is watched by its name in its folder, since
  // a new zone usually comes as another link renamed over it, and through to the file it names, which
  // a zone database update rewrites.
  explicit WallClockWatch(std::function<void()> jumped, const QString& zoneFile = QStringLiteral("/etc/localtime"));
  ~WallClockWatch() override;
  WallClockWatch(const WallClockWatch&) = delete;
  WallClockWatch& operator=(const WallClockWatch&) = delete;

  // The instant to arm the jump's notice for at `now`: about a century on, within time_t's range. A
  // fixed instant would pass one day, and from then on fire at each arming.
  static std::time_t FarExpiry(std::time_t now);

private:
  // Arms the kernel's notice of the next jump; false where there is none (not Linux).
  bool Arm();
  void WatchZoneFile();
  void ReadZoneEvents();

  std::function<void()> jumped_;
  QByteArray zoneFile_;  // as the file system spells it
  QByteArray zoneName_;  // its name in its folder
  int timer_ = -1;
  int inotify_ = -1;
  int fileWatch_ = -1;  // the zone file itself, through its link
  QSocketNotifier* timerNotifier_ = nullptr;
  QSocketNotifier* zoneNotifier_ = nullptr;
};
