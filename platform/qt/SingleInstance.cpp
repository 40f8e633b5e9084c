#include "platform/qt/SingleInstance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace {
constexpr char kLockName[] = "Tickora.lock";
constexpr mode_t kPrivateMode = 0700;
}  // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& lockPath) : lock_(lockPath)
{
  // The lock is never refreshed while the clock runs, so it must not go stale with age.
  lock_.setStaleLockTime(0);
}

QString SingleInstanceGuard::DefaultLockPath()
{
  QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (dir.isEmpty() || QDir::isRelativePath(dir))
    dir = PrivateFolder(QDir::tempPath(), getuid());
  return dir.isEmpty() ? QString() : dir + u'/' + QLatin1String(kLockName);
}

QString SingleInstanceGuard::PrivateFolder(const QString& tempDir, unsigned uid)
{
  // Another local user who made this folder first could hold the lock in it and keep the clock from
  // ever starting.
  const QString dir = tempDir + QStringLiteral("/tickora-") + QString::number(uid);
  const QByteArray path = QFile::encodeName(dir);
  ::mkdir(path.constData(), kPrivateMode);
  struct stat info {};
  if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != uid ||
      (info.st_mode & 077) != 0)
    return {};
  return dir;
}

bool SingleInstanceGuard::IsAlreadyRunning()
{
  if (lock_.fileName().isEmpty())
    return false;
  if (lock_.isLocked() || lock_.tryLock(0))
    return false;
  if (lock_.error() != QLockFile::LockFailedError)
    return false;
  if (lock_.getLockInfo(nullptr, nullptr, nullptr))
    return true;
  // A lock whose owner cannot be read was cut short while it was written (a power cut). A live owner
  // still holds the file's own lock, and then the removal fails; otherwise the lock is taken over.
  lock_.removeStaleLockFile();
  return !lock_.tryLock(0) && lock_.error() == QLockFile::LockFailedError;
}
