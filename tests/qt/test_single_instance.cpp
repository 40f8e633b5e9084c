#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include "platform/qt/SingleInstance.h"
#include "ShellTestSupport.h"

TEST(SingleInstance, SecondCopyIsRefusedWhileTheFirstRuns)
{
  EnsureApplication();
  QTemporaryDir dir;
  const QString path = dir.filePath("Tickora.lock");
  {
    SingleInstanceGuard first(path);
    EXPECT_FALSE(first.IsAlreadyRunning());
    EXPECT_FALSE(first.IsAlreadyRunning());  // asking again changes nothing
    // A clock that has run for long keeps its lock.
    QFile aged(path);
    ASSERT_TRUE(aged.open(QIODevice::ReadOnly) && aged.setFileTime(QDateTime::currentDateTime().addDays(-30), QFileDevice::FileModificationTime));
    SingleInstanceGuard second(path);
    EXPECT_TRUE(second.IsAlreadyRunning());
    EXPECT_TRUE(QFile::exists(path));
  }
  // Released on exit: the next start runs.
  EXPECT_FALSE(QFile::exists(path));
  SingleInstanceGuard next(path);
  EXPECT_FALSE(next.IsAlreadyRunning());
}

TEST(SingleInstance, LockOfADeadProcessIsTakenOver)
{
  EnsureApplication();
  QTemporaryDir dir;
  const QString path = dir.filePath("Tickora.lock");
  {
    // The lock a killed clock leaves behind: its process id no longer runs.
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("2147483646\ntickora\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  }
  SingleInstanceGuard guard(path);
  EXPECT_FALSE(guard.IsAlreadyRunning());
  SingleInstanceGuard second(path);
  EXPECT_TRUE(second.IsAlreadyRunning());
}

TEST(SingleInstance, ALockCutShortWhileItWasWrittenIsTakenOver)
{
  EnsureApplication();
  // What a power cut leaves: nothing, a part of the first line, or lines without a process id.
  for (const QByteArray& text : {QByteArray(""), QByteArray("12"), QByteArray("\n\n\n"), QByteArray("tickora\nx\n")}) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Tickora.lock");
    {
      QFile cut(path);
      ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
      cut.write(text);
      cut.flush();  // found a minute later
      ASSERT_TRUE(cut.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    }
    SingleInstanceGuard guard(path);
    EXPECT_FALSE(guard.IsAlreadyRunning()) << text.toStdString();
    // Taken over for real: the next copy is refused.
    SingleInstanceGuard second(path);
    EXPECT_TRUE(second.IsAlreadyRunning()) << text.toStdString();
  }
  // An empty file just made is a copy between creating its lock and locking it: not robbed.
  QTemporaryDir dir;
  ASSERT_TRUE(QFile(dir.filePath("Tickora.lock")).open(QIODevice::WriteOnly));
  EXPECT_TRUE(SingleInstanceGuard(dir.filePath("Tickora.lock")).IsAlreadyRunning());
}

TEST(SingleInstance, TheFallbackFolderMustBeTheUsersOwn)
{
  QTemporaryDir temp;
  const unsigned me = getuid();
  const QString mine = temp.filePath("tickora-" + QString::number(me));
  // Made when missing, private.
  EXPECT_EQ(SingleInstanceGuard::PrivateFolder(temp.path(), me), mine);
  EXPECT_EQ(QFileInfo(mine).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), 0);

  // Open to others, a link made by someone else, or owned by another user: refused.
  ASSERT_EQ(chmod(QFile::encodeName(mine).constData(), 0777), 0);
  EXPECT_EQ(SingleInstanceGuard::PrivateFolder(temp.path(), me), QString());
  ASSERT_TRUE(QDir(mine).removeRecursively());
  ASSERT_TRUE(QDir().mkpath(temp.filePath("elsewhere")));
  ASSERT_TRUE(QFile::link(temp.filePath("elsewhere"), mine));
  EXPECT_EQ(SingleInstanceGuard::PrivateFolder(temp.path(), me), QString());
  const unsigned other = me + 1;
  const QString theirs = temp.filePath("tickora-" + QString::number(other));
  ASSERT_TRUE(QDir().mkdir(theirs));
  ASSERT_EQ(chmod(QFile::encodeName(theirs).constData(), 0700), 0);
  EXPECT_EQ(SingleInstanceGuard::PrivateFolder(temp.path(), other), QString()) << "owned by " << me;
}

TEST(SingleInstance, ALockThatCannotBeMadeDoesNotStopTheClock)
{
  EnsureApplication();
  QTemporaryDir dir;
  QFile blocker(dir.filePath("not-a-folder"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  SingleInstanceGuard guard(dir.filePath("not-a-folder/Tickora.lock"));
  EXPECT_FALSE(guard.IsAlreadyRunning());
}

TEST(SingleInstance, LockLivesInTheUsersRuntimeDirectory)
{
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  const QByteArray savedTemp = qgetenv("TMPDIR");
  QTemporaryDir temp;
  qputenv("XDG_RUNTIME_DIR", temp.path().toUtf8());
  EXPECT_EQ(SingleInstanceGuard::DefaultLocation().path, temp.path() + "/Tickora.lock");
  // Open to others, or missing where it cannot be made: the private folder, and a line that says why.
  qputenv("TMPDIR", temp.path().toUtf8());
  const QString fallback = temp.path() + "/tickora-" + QString::number(getuid());
  ASSERT_EQ(chmod(QFile::encodeName(temp.path()).constData(), 0777), 0);
  for (const auto& [runtime, fault] : {std::pair{temp.path(), "is open to others"}, {temp.filePath("x/y"), "does not exist"}}) {
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    const LockLocation lock = SingleInstanceGuard::DefaultLocation();
    EXPECT_EQ(lock.path, fallback + "/Tickora.lock");
    EXPECT_EQ(lock.notice, "Tickora: XDG_RUNTIME_DIR (" + runtime + ") " + fault + "; the one-copy lock is kept in " + fallback + ".");
  }
  qunsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(SingleInstanceGuard::DefaultLocation().path, fallback + "/Tickora.lock");
  if (!saved.isNull())
    qputenv("XDG_RUNTIME_DIR", saved);
  if (savedTemp.isNull())
    qunsetenv("TMPDIR");
  else
    qputenv("TMPDIR", savedTemp);
}

// A second start reaches the running copy's socket beside the lock, which replaces a dead copy's;
// with nobody listening the start gives up after its wait.
TEST(SingleInstance, ASecondStartReachesTheRunningCopy)
{
  EnsureApplication();
  QTemporaryDir dir;
  const QString socket = SocketPathFor(dir.filePath("Tickora.lock"));
  EXPECT_FALSE(AskRunningCopy(socket, 200));
  ASSERT_TRUE(QFile(socket).open(QIODevice::WriteOnly));
  int asked = 0;
  SecondStartServer server(socket, [&asked] { ++asked; });
  auto answered = std::async(std::launch::async, [&socket] { return AskRunningCopy(socket); });
  while (answered.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
    QCoreApplication::processEvents();
  EXPECT_TRUE(answered.get());
  EXPECT_EQ(asked, 1);
}
