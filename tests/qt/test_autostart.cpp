#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "model/TickoraError.h"
#include "platform/qt/Autostart.h"

namespace {
void WriteFile(const QString& path, const QByteArray& contents)
{
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(contents);
}

QByteArray ReadFile(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

TEST(Autostart, ExecValueQuotesAndEscapesAsDesktopEntriesWantIt)
{
  const struct {
    QString program, exec;
  } cases[] = {
      {"/usr/bin/tickora", "/usr/bin/tickora"},
      {"/home/ann/my clocks/tickora", "\"/home/ann/my clocks/tickora\""},
      {"/opt/it's/tickora", "\"/opt/it's/tickora\""},
      {"/opt/100%/tickora", "/opt/100%%/tickora"},
      {"/opt/a b%/tickora", "\"/opt/a b%%/tickora\""},
      // Inside quotes \ " ` $ take a backslash; then the string escapes double every backslash.
      {"/opt/a\"b/tickora", "\"/opt/a\\\\\"b/tickora\""},
      {"/opt/$HOME/tickora", "\"/opt/\\\\$HOME/tickora\""},
      {"/opt/back\\slash/tickora", "\"/opt/back\\\\\\\\slash/tickora\""},
      {"/opt/tab\there/tickora", "\"/opt/tab\\there/tickora\""},
      {"/opt/\xc3\xa9t\xc3\xa9/tickora", "/opt/\xc3\xa9t\xc3\xa9/tickora"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AutostartEntry::ExecValue(c.program), c.exec) << c.program.toStdString();
}

TEST(Autostart, EnabledWhenTheEntryIsThereAndNotSwitchedOff)
{
  const struct {
    const char* what;
    const char* contents;  // nullptr: no file
    bool enabled;
  } cases[] = {
      {"no entry", nullptr, false},
      {"plain entry", "[Desktop Entry]\nType=Application\nExec=tickora\n", true},
      {"Hidden=true", "[Desktop Entry]\nExec=tickora\nHidden=true\n", false},
      {"Hidden = true, spaced", "[Desktop Entry]\nHidden = true\n", false},
      {"Hidden=false", "[Desktop Entry]\nHidden=false\n", true},
      {"GNOME's switch off", "[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n", false},
      {"GNOME's switch on", "[Desktop Entry]\nX-GNOME-Autostart-enabled=true\n", true},
      {"Hidden in another group", "[Desktop Entry]\nExec=tickora\n[Desktop Action x]\nHidden=true\n", true},
      {"empty file", "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    const QString path = dir.path() + "/autostart/tickora.desktop";
    if (c.contents)
      WriteFile(path, c.contents);
    EXPECT_EQ(AutostartEntry(path, "/usr/bin/tickora").IsEnabled(), c.enabled);
  }
}

TEST(Autostart, EnableMakesTheFolderAndReplacesASwitchedOffEntryDisableRemovesIt)
{
  QTemporaryDir dir;
  const QString path = dir.path() + "/config/autostart/tickora.desktop";
  const AutostartEntry entry(path, "/opt/my clock/tickora");
  entry.Disable();  // nothing there: nothing to do
  entry.Enable();
  EXPECT_TRUE(entry.IsEnabled());
  const QByteArray written = ReadFile(path);
  EXPECT_TRUE(written.startsWith("[Desktop Entry]\n")) << written.toStdString();
  EXPECT_TRUE(written.contains("\nType=Application\n")) << written.toStdString();
  EXPECT_TRUE(written.contains("\nExec=\"/opt/my clock/tickora\"\n")) << written.toStdString();

  WriteFile(path, "[Desktop Entry]\nExec=/old/tickora\nHidden=true\n");
  entry.Enable();
  EXPECT_TRUE(entry.IsEnabled());
  EXPECT_EQ(ReadFile(path), written);

  entry.Disable();
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_FALSE(entry.IsEnabled());
  EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

TEST(Autostart, FailuresThrowNamingTheFileAndLeaveTheStateAlone)
{
  QTemporaryDir dir;
  // A file where the folder should be: no folder can be made, not even by root.
  WriteFile(dir.path() + "/blocked", "");
  const AutostartEntry blocked(dir.path() + "/blocked/autostart/tickora.desktop", "/usr/bin/tickora");
  try {
    blocked.Enable();
    FAIL() << "Enable succeeded";
  } catch (const TickoraError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot make the folder \"" + dir.path().toStdString() + "/blocked/autostart\" for starting at login");
  }
  EXPECT_FALSE(blocked.IsEnabled());

  // A folder in the entry's place can be neither written over nor removed as a file.
  const QString path = dir.path() + "/autostart/tickora.desktop";
  QDir().mkpath(path + "/inside");
  const AutostartEntry entry(path, "/usr/bin/tickora");
  EXPECT_THROW(entry.Enable(), TickoraError);
  try {
    entry.Disable();
    FAIL() << "Disable succeeded";
  } catch (const TickoraError& e) {
    // The system's reason, not Qt's "Unknown error".
    EXPECT_EQ(std::string(e.what()),
              "Cannot remove \"" + path.toStdString() + "\" to stop starting at login: Directory not empty");
  }
  EXPECT_TRUE(QFileInfo(path + "/inside").isDir());
}

TEST(Autostart, DefaultPathFollowsXdgConfigHome)
{
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  const struct {
    const char* xdg;
    QString path;
  } cases[] = {
      {"/tmp/cfg", "/tmp/cfg/autostart/tickora.desktop"},
      {"", QDir::homePath() + "/.config/autostart/tickora.desktop"},
      {"relative/cfg", QDir::homePath() + "/.config/autostart/tickora.desktop"},
  };
  for (const auto& c : cases) {
    qputenv("XDG_CONFIG_HOME", c.xdg);
    EXPECT_EQ(AutostartEntry::DefaultPath(), c.path) << c.xdg;
  }
  qputenv("XDG_CONFIG_HOME", saved);
}
