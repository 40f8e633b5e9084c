#include "platform/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace {
constexpr char kLockName[] = "Tickora.lock";
}

SingleInstanceGuard::SingleInstanceGuard(const QString& lockPath) : lock_(lockPath)
{
  // The lock is never refreshed while the clock runs, so it must not go stale with age.
  lock_.setStaleLockTime(0);
}

QString SingleInstanceGuard::DefaultLockPath()
{
  QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (dir.isEmpty() || QDir::isRelativePath(dir))
    dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
      user = QDir::home().dirName();
    dir = QDir::tempPath() + QStringLiteral("/tickora-") + user;
    QDir().mkpath(dir);
  }
  return dir + u'/' + QLatin1String(kLockName);
}

bool SingleInstanceGuard::IsAlreadyRunning()
{
  if (lock_.isLocked() || lock_.tryLock(0))
    return false;
  return lock_.error() == QLockFile::LockFailedError;
}
