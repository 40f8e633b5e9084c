#pragma once
#include <functional>

#include <QFileSystemWatcher>
#include <QObject>

class QSocketNotifier;

// Tells when the wall clock jumps: the time set, the machine back from sleep (the kernel's timers do
// not count the sleep, so a clock waking once a minute would show the old time for up to a minute),
// or the local time zone changed. A sleeping clock then draws the time at once.
class WallClockWatch : public QObject {
public:
  explicit WallClockWatch(std::function<void()> jumped);
  ~WallClockWatch() override;
  WallClockWatch(const WallClockWatch&) = delete;
  WallClockWatch& operator=(const WallClockWatch&) = delete;

private:
  // Arms the kernel's notice of the next jump; false where there is none (not Linux).
  bool Arm();
  void WatchZone();

  std::function<void()> jumped_;
  int timer_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  QFileSystemWatcher zone_;
};
