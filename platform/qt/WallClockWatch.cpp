#include "platform/qt/WallClockWatch.h"

#include <QSocketNotifier>

#include <cstdint>
#include <ctime>
#include <limits>
#include <utility>

#ifdef __linux__
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace {
constexpr char kZoneFile[] = "/etc/localtime";

#ifdef __linux__
// Sets the timer's first expiry as far ahead as the clock counts, through `set` (timerfd_settime), whose
// setting type it takes from the call.
template <typename Setting>
bool SetFar(int timer, int (*set)(int, int, const Setting*, Setting*))
{
  Setting far = {};
  far.it_value.tv_sec = std::numeric_limits<std::int32_t>::max();
  return set(timer, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &far, nullptr) == 0;
}
#endif
}  // namespace

WallClockWatch::WallClockWatch(std::function<void()> jumped) : jumped_(std::move(jumped))
{
#ifdef __linux__
  timer_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
  if (timer_ >= 0 && Arm()) {
    notifier_ = new QSocketNotifier(timer_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
      std::uint64_t expirations = 0;
      // Cancelled by a jump: the read fails with ECANCELED, and the notice is armed again.
      [[maybe_unused]] const ssize_t read = ::read(timer_, &expirations, sizeof expirations);
      Arm();
      jumped_();
    });
  }
#endif
  WatchZone();
  connect(&zone_, &QFileSystemWatcher::fileChanged, this, [this] {
    // A zone written anew by replacing the file (or its link) is watched again.
    WatchZone();
    jumped_();
  });
}

WallClockWatch::~WallClockWatch()
{
#ifdef __linux__
  if (timer_ >= 0)
    ::close(timer_);
#endif
}

bool WallClockWatch::Arm()
{
#ifdef __linux__
  // A timer far in the future that the kernel cancels whenever the wall clock is set or resumes.
  return SetFar(timer_, &timerfd_settime);
#else
  return false;
#endif
}

void WallClockWatch::WatchZone()
{
  if (!zone_.files().contains(QString::fromLatin1(kZoneFile)))
    zone_.addPath(QString::fromLatin1(kZoneFile));
}
