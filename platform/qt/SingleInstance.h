#pragma once
#include <functional>

#include <QLocalServer>
#include <QLockFile>
#include <QString>

// Where the one-copy lock goes, and the line to print when that is not the user's runtime folder.
struct LockLocation {
  QString path;    // empty when no folder can be trusted
  QString notice;  // empty when the lock is where the user's session keeps such files
};

// One copy of the clock per user: a lock file in the user's runtime directory. The system drops a
// dead process's claim (its process id no longer runs), so a crash never blocks the next start.
class SingleInstanceGuard {
public:
  explicit SingleInstanceGuard(const QString& lockPath = DefaultLocation().path);
  // $XDG_RUNTIME_DIR when it is a folder of the user's own that only the user can open and that can be
  // written; otherwise a folder of the user's own under the temporary directory.
  static LockLocation DefaultLocation();
  // The fallback folder for user `uid` under `tempDir`, made when missing; empty when it cannot be
  // trusted (another owner, a symbolic link, access for group or others).
  static QString PrivateFolder(const QString& tempDir, unsigned uid);

  // True when another running copy holds the lock. Otherwise this process holds it until the guard
  // is destroyed; a lock that cannot be made at all does not keep the clock from running.
  bool IsAlreadyRunning();

private:
  QLockFile lock_;
};

// A second start reaches the running copy through a local socket beside the lock, in the folder only
// the user can open: the socket at `SocketPathFor(lock)`.
QString SocketPathFor(const QString& lockPath);

// Asks the copy that holds the lock to show its settings; false when none answered within the wait
// (one still starting is waited for).
bool AskRunningCopy(const QString& socketPath, int waitMs = 3000);

// The running copy's end: `request` runs on the event loop for every start that asks.
class SecondStartServer {
public:
  SecondStartServer(const QString& socketPath, std::function<void()> request);
  bool listening() const { return server_.isListening(); }

private:
  QLocalServer server_;
  std::function<void()> request_;
};
