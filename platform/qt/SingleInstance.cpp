#include "platform/qt/SingleInstance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

namespace {
constexpr char kLockName[] = "Tickora.lock";
constexpr char kSocketName[] = "Tickora.socket";
constexpr char kRequest[] = "settings\n";
constexpr char kAnswer[] = "shown\n";
constexpr qint64 kLongestRequest = 64;
constexpr int kRetryMs = 100;
constexpr char kRuntimeVariable[] = "XDG_RUNTIME_DIR";
constexpr mode_t kPrivateMode = 0700;
// A lock file without a readable owner is one another copy is writing right now, or one cut short
// (a power cut). Qt takes a lock over once it is this old, and only when it can lock the file itself:
// a live copy keeps its lock at any age, and one still writing it is not robbed.
constexpr int kUnreadableLockAgeMs = 5000;

// Why `dir` cannot hold user `uid`'s lock, or an empty string when it can. Another user's folder, or
// one open to others, would let someone else's lock file stop the clock.
QString RuntimeFolderFault(const QString& dir, unsigned uid)
{
  const QByteArray path = QFile::encodeName(dir);
  struct stat info {};
  if (::stat(path.constData(), &info) != 0)
    return errno == ENOENT ? QStringLiteral("does not exist") : QStringLiteral("cannot be reached");
  if (!S_ISDIR(info.st_mode))
    return QStringLiteral("is not a folder");
  if (info.st_uid != uid)
    return QStringLiteral("belongs to another user");
  if ((info.st_mode & 077) != 0)
    return QStringLiteral("is open to others");
  if (::access(path.constData(), W_OK | X_OK) != 0)
    return QStringLiteral("cannot be written");
  return {};
}
}  // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& lockPath) : lock_(lockPath)
{
  lock_.setStaleLockTime(kUnreadableLockAgeMs);
}

LockLocation SingleInstanceGuard::DefaultLocation()
{
  const QString runtime = qEnvironmentVariable(kRuntimeVariable);
  QString fault;
  if (!runtime.isEmpty()) {
    // Qt makes a missing runtime folder as the application starts. Made here first, every copy decides
    // alike: a clock that locked elsewhere before Qt made the folder would not be seen by the next one.
    if (!QDir::isRelativePath(runtime))
      ::mkdir(QFile::encodeName(runtime).constData(), kPrivateMode);
    fault = QDir::isRelativePath(runtime) ? QStringLiteral("is not an absolute path")
                                          : RuntimeFolderFault(runtime, getuid());
    if (fault.isEmpty())
      return {runtime + u'/' + QLatin1String(kLockName), {}};
  }
  const QString dir = PrivateFolder(QDir::tempPath(), getuid());
  if (dir.isEmpty())
    return {{},
            QStringLiteral("Tickora: no folder of this user's own for the one-copy lock (%1 %2, and the one "
                           "under the temporary folder belongs to someone else or is open to others); a second "
                           "copy will not be refused.")
                .arg(QLatin1String(kRuntimeVariable), runtime.isEmpty() ? QStringLiteral("is not set") : fault)};
  const QString path = dir + u'/' + QLatin1String(kLockName);
  if (runtime.isEmpty())
    return {path, {}};
  return {path, QStringLiteral("Tickora: %1 (%2) %3; the one-copy lock is kept in %4.")
                    .arg(QLatin1String(kRuntimeVariable), runtime, fault, dir)};
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
  // Held by a running copy, or still being written by one that is starting.
  return lock_.error() == QLockFile::LockFailedError;
}

QString SocketPathFor(const QString& lockPath)
{
  if (lockPath.isEmpty())
    return {};
  return QFileInfo(lockPath).absolutePath() + u'/' + QLatin1String(kSocketName);
}

bool AskRunningCopy(const QString& socketPath, int waitMs)
{
  if (socketPath.isEmpty())
    return false;
  const QDeadlineTimer deadline(waitMs);
  // The copy holding the lock may not listen yet: it takes the lock first.
  QLocalSocket socket;
  for (;;) {
    socket.connectToServer(socketPath);
    if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
      break;
    if (deadline.hasExpired())
      return false;
    QThread::msleep(kRetryMs);
  }
  socket.write(kRequest);
  if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
    return false;
  while (!socket.canReadLine()) {
    if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
      return false;
  }
  return socket.readLine() == kAnswer;
}

SecondStartServer::SecondStartServer(const QString& socketPath, std::function<void()> request)
    : request_(std::move(request))
{
  if (socketPath.isEmpty())
    return;
  // We hold the lock: a socket left there is a dead copy's.
  QLocalServer::removeServer(socketPath);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  server_.listen(socketPath);
  QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        if (!socket->canReadLine()) {
          // Whatever sends more than a request without its end is not a start of ours.
          if (socket->bytesAvailable() > kLongestRequest)
            socket->abort();
          return;
        }
        if (socket->readLine(kLongestRequest) == kRequest) {
          request_();
          socket->write(kAnswer);
        }
        socket->disconnectFromServer();
      });
    }
  });
}
