#include "platform/qt/WallClockWatch.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <limits>
#include <utility>

#ifdef __linux__
#include <sys/inotify.h>
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace {
constexpr std::int64_t kFarAhead = 100LL * 365 * 24 * 60 * 60;  // seconds

#ifdef __linux__
// The zone's name in its folder coming, going or written; the file it names written, replaced or gone.
constexpr std::uint32_t kFolderEvents = IN_CREATE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_CLOSE_WRITE;
constexpr std::uint32_t kFileEvents = IN_CLOSE_WRITE | IN_ATTRIB | IN_MOVE_SELF | IN_DELETE_SELF;

// Sets the timer's first expiry at `when` (seconds since the epoch), cancelled by a set wall clock,
// through `set` (timerfd_settime), whose setting type it takes from the call.
template <typename Setting>
bool SetFar(int timer, std::time_t when, int (*set)(int, int, const Setting*, Setting*))
{
  Setting far = {};
  far.it_value.tv_sec = when;
  return set(timer, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &far, nullptr) == 0;
}
#endif
}  // namespace

std::time_t WallClockWatch::FarExpiry(std::time_t now)
{
  constexpr std::int64_t last = std::numeric_limits<std::time_t>::max();
  const auto from = static_cast<std::int64_t>(now);
  return static_cast<std::time_t>(from > last - kFarAhead ? last : from + kFarAhead);
}

WallClockWatch::WallClockWatch(std::function<void()> jumped, const QString& zoneFile)
    : jumped_(std::move(jumped)), zoneFile_(QFile::encodeName(zoneFile)),
      zoneName_(QFile::encodeName(QFileInfo(zoneFile).fileName()))
{
#ifdef __linux__
  timer_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
  if (timer_ >= 0 && Arm()) {
    timerNotifier_ = new QSocketNotifier(timer_, QSocketNotifier::Read, this);
    connect(timerNotifier_, &QSocketNotifier::activated, this, [this] {
      std::uint64_t expirations = 0;
      // A jump cancels the timer: the read fails with ECANCELED. An expiry that does come only re-arms.
      const bool jumped = ::read(timer_, &expirations, sizeof expirations) < 0 && errno == ECANCELED;
      if (!Arm())
        timerNotifier_->setEnabled(false);
      if (jumped)
        jumped_();
    });
  }
  inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotify_ < 0)
    return;
  const QByteArray folder = QFile::encodeName(QFileInfo(zoneFile).absolutePath());
  inotify_add_watch(inotify_, folder.constData(), kFolderEvents | IN_ONLYDIR);
  WatchZoneFile();
  zoneNotifier_ = new QSocketNotifier(inotify_, QSocketNotifier::Read, this);
  connect(zoneNotifier_, &QSocketNotifier::activated, this, &WallClockWatch::ReadZoneEvents);
#endif
}

WallClockWatch::~WallClockWatch()
{
#ifdef __linux__
  if (timer_ >= 0)
    ::close(timer_);
  if (inotify_ >= 0)
    ::close(inotify_);
#endif
}

bool WallClockWatch::Arm()
{
#ifdef __linux__
  // A timer far in the future that the kernel cancels whenever the wall clock is set or resumes.
  return SetFar(timer_, FarExpiry(std::time(nullptr)), &timerfd_settime);
#else
  return false;
#endif
}

void WallClockWatch::WatchZoneFile()
{
#ifdef __linux__
  // Through the link as it is now: a new link names another file, and the old one is no concern.
  const int watch = inotify_add_watch(inotify_, zoneFile_.constData(), kFileEvents);
  if (fileWatch_ >= 0 && watch != fileWatch_)
    inotify_rm_watch(inotify_, fileWatch_);
  fileWatch_ = watch;
#endif
}

void WallClockWatch::ReadZoneEvents()
{
#ifdef __linux__
  bool changed = false;
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t length = ::read(inotify_, buffer, sizeof buffer);
    if (length <= 0)
      break;
    for (ssize_t at = 0; at < length;) {
      inotify_event event;
      std::memcpy(&event, buffer + at, sizeof event);
      const char* name = buffer + at + sizeof event;
      if (event.mask & IN_Q_OVERFLOW)
        changed = true;
      else if (event.wd == fileWatch_)
        changed = true;
      else if (event.len > 0 && std::strcmp(name, zoneName_.constData()) == 0)
        changed = true;
      // The kernel ends a watch whose file is gone.
      if (event.wd == fileWatch_ && (event.mask & IN_IGNORED))
        fileWatch_ = -1;
      at += static_cast<ssize_t>(sizeof event + event.len);
    }
  }
  if (!changed)
    return;
  WatchZoneFile();
  jumped_();
#endif
}
