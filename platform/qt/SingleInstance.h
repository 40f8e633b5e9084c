#pragma once
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
