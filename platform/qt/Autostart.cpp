#include "platform/qt/Autostart.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "model/TickoraError.h"

namespace {

constexpr char kEntryFile[] = "tickora.desktop";
constexpr char kGroup[] = "[Desktop Entry]";

[[noreturn]] void Fail(const QString& message)
{
  throw TickoraError(message.toStdString());
}

// An argument the Exec rules want quoted holds one of these.
bool NeedsQuotes(const QString& argument)
{
  static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  for (const QChar c : argument) {
    if (reserved.contains(c))
      return true;
  }
  return argument.isEmpty();
}

// The value of `key` in the [Desktop Entry] group, or a null string.
QString EntryValue(const QByteArray& contents, const char* key)
{
  bool inGroup = false;
  QString value;
  for (const QByteArray& raw : contents.split('\n')) {
    const QString line = QString::fromUtf8(raw).trimmed();
    if (line.startsWith(u'[')) {
      inGroup = line == QLatin1String(kGroup);
      continue;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (inGroup && equals > 0 && line.left(equals).trimmed() == QLatin1String(key))
      value = line.mid(equals + 1).trimmed();
  }
  return value;
}

}  // namespace

AutostartEntry::AutostartEntry(QString filePath, QString program)
    : filePath_(std::move(filePath)), program_(std::move(program))
{
}

QString AutostartEntry::DefaultPath()
{
  // The XDG rules ignore a relative XDG_CONFIG_HOME.
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base))
    base = QDir::homePath() + QStringLiteral("/.config");
  return base + QStringLiteral("/autostart/") + QLatin1String(kEntryFile);
}

QString AutostartEntry::ExecValue(const QString& program)
{
  QString argument = program;
  if (NeedsQuotes(argument)) {
    QString quoted;
    for (const QChar c : argument) {
      if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
        quoted += u'\\';
      quoted += c;
    }
    argument = u'"' + quoted + u'"';
  }
  argument.replace(u'%', QStringLiteral("%%"));
  // Then the escapes every string value of a desktop entry takes.
  QString value;
  for (const QChar c : argument) {
    switch (c.unicode()) {
    case u'\\': value += QStringLiteral("\\\\"); break;
    case u'\n': value += QStringLiteral("\\n"); break;
    case u'\t': value += QStringLiteral("\\t"); break;
    case u'\r': value += QStringLiteral("\\r"); break;
    default: value += c;
    }
  }
  return value;
}

bool AutostartEntry::IsEnabled() const
{
  QFile file(filePath_);
  if (!QFileInfo(file).isFile())
    return false;
  // An entry that is there but cannot be read still starts the clock at login as far as anyone knows.
  if (!file.open(QIODevice::ReadOnly))
    return true;
  const QByteArray contents = file.readAll();
  return EntryValue(contents, "Hidden") != QLatin1String("true") &&
         EntryValue(contents, "X-GNOME-Autostart-enabled") != QLatin1String("false");
}

void AutostartEntry::Enable() const
{
  const QString folder = QFileInfo(filePath_).path();
  if (!QDir().mkpath(folder))
    Fail(QStringLiteral("Cannot make the folder \"%1\" for starting at login").arg(folder));
  const QString entry = QStringLiteral(
                            "[Desktop Entry]\n"
                            "Type=Application\n"
                            "Name=Tickora\n"
                            "Comment=A round analog clock that floats above your windows\n"
                            "Exec=%1\n"
                            "Icon=tickora\n"
                            "Terminal=false\n"
                            "X-GNOME-Autostart-enabled=true\n")
                            .arg(ExecValue(program_));
  QSaveFile file(filePath_);
  const QByteArray bytes = entry.toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    Fail(QStringLiteral("Cannot write \"%1\" to start at login: %2").arg(filePath_, file.errorString()));
}

void AutostartEntry::Disable() const
{
  // QFile::remove loses the system's reason; the user should read it.
  std::error_code error;
  std::filesystem::remove(std::filesystem::path(QFile::encodeName(filePath_).toStdString()), error);
  if (error) {
    Fail(QStringLiteral("Cannot remove \"%1\" to stop starting at login: %2")
             .arg(filePath_, QString::fromLocal8Bit(error.message())));
  }
}
