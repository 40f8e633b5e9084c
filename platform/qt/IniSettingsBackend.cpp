#include "platform/qt/IniSettingsBackend.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSettings>

namespace {

constexpr char kStoreFolder[] = "Tickora";
constexpr char kStoreFile[] = "Tickora.conf";
constexpr char kMainSection[] = "General";
// The nine values in the order a person reading the file sees them.
constexpr std::array<const char*, 11> kOrder = {"Size", "Algoritm", "Clock_F", "Clock_FF", "Seconds",  "Arrows_Width",
                                                "Dig_On_Off", "Left", "Top", "Zone", "Label"};

QString ValueText(const QVariant& value)
{
  switch (value.typeId()) {
  case QMetaType::Int:
  case QMetaType::LongLong:
    return QString::number(value.toLongLong());
  default:
    return value.toString();
  }
}

// A plain INI file. Qt's own INI writer sorts the keys; this one keeps the nine values in their order
// so that a person reading the file sees them as the program uses them. Unknown keys are kept.
bool ReadStoreFile(QIODevice& device, QSettings::SettingsMap& map)
{
  const QByteArray text = device.read(IniSettingsBackend::kMaxFileBytes + 1);
  if (text.size() > IniSettingsBackend::kMaxFileBytes)
    return false;
  QString section;
  for (const QByteArray& raw : text.split('\n')) {
    const QString line = QString::fromUtf8(raw).trimmed();
    if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
      continue;
    if (line.startsWith(u'[') && line.endsWith(u']')) {
      section = line.mid(1, line.size() - 2).trimmed();
      if (section == QLatin1String(kMainSection))
        section.clear();
      continue;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0)
      continue;
    const QString key = line.left(equals).trimmed();
    map.insert(section.isEmpty() ? key : section + u'/' + key, line.mid(equals + 1).trimmed());
  }
  return true;
}

// Each section's values in the order a person reading the file sees them: the nine, the zone and the
// label, then any other.
QByteArray SectionText(const QSettings::SettingsMap& map, const QString& section)
{
  const QString prefix = section.isEmpty() ? QString() : section + u'/';
  const auto inSection = [&](const QString& key) {
    return section.isEmpty() ? !key.contains(u'/') : key.startsWith(prefix) && !key.mid(prefix.size()).contains(u'/');
  };
  QByteArray text;
  for (const char* name : kOrder) {
    const auto found = map.constFind(prefix + QLatin1String(name));
    if (found != map.cend())
      text += QByteArray(name) + '=' + ValueText(found.value()).toUtf8() + '\n';
  }
  const auto isOrdered = [&](const QString& key) {
    return std::any_of(kOrder.begin(), kOrder.end(), [&](const char* name) { return key == prefix + QLatin1String(name); });
  };
  for (auto it = map.cbegin(); it != map.cend(); ++it) {
    if (inSection(it.key()) && !isOrdered(it.key()))
      text += it.key().mid(prefix.size()).toUtf8() + '=' + ValueText(it.value()).toUtf8() + '\n';
  }
  return text;
}

bool WriteStoreFile(QIODevice& device, const QSettings::SettingsMap& map)
{
  QByteArray text = QByteArray("[") + kMainSection + "]\n" + SectionText(map, QString());
  QStringList sections;
  for (auto it = map.cbegin(); it != map.cend(); ++it) {
    const qsizetype slash = it.key().indexOf(u'/');
    if (slash > 0 && !sections.contains(it.key().left(slash)))
      sections.append(it.key().left(slash));
  }
  // Clock10 after Clock9.
  std::sort(sections.begin(), sections.end(), [](const QString& a, const QString& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
  });
  for (const QString& section : sections)
    text += "\n[" + section.toUtf8() + "]\n" + SectionText(map, section);
  return device.write(text) == text.size();
}

QSettings::Format StoreFormat()
{
  // Registering is process-wide in Qt; do it once.
  static const QSettings::Format format = QSettings::registerFormat("conf", ReadStoreFile, WriteStoreFile);
  return format;
}

}  // namespace

IniSettingsBackend::IniSettingsBackend(QString filePath) : filePath_(std::move(filePath)) {}

IniSettingsBackend::~IniSettingsBackend() = default;

QString IniSettingsBackend::DefaultPath()
{
  // The XDG rules ignore a relative XDG_CONFIG_HOME.
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base))
    base = QDir::homePath() + QStringLiteral("/.config");
  return base + u'/' + QLatin1String(kStoreFolder) + u'/' + QLatin1String(kStoreFile);
}

bool IniSettingsBackend::Exists() const
{
  return QFileInfo(filePath_).exists();
}

bool IniSettingsBackend::IsOtherThanAFile() const
{
  const QFileInfo info(filePath_);
  return info.exists() && !info.isFile();
}

bool IniSettingsBackend::OpenForReading()
{
  values_.clear();
  // Opened without waiting: a FIFO or a device would hold the clock up at its start. What is not a
  // regular file, cannot be read or is too large to be the clock's has no value to give.
  const int fd = ::open(QFile::encodeName(filePath_).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return false;
  struct stat status = {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return false;
  }
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  return ReadStoreFile(file, values_);
}

StoredValue IniSettingsBackend::Read(std::string_view name) const
{
  StoredValue stored;
  const QVariant value = values_.value(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  if (!value.isValid())
    return stored;
  switch (value.typeId()) {
  case QMetaType::Int:
  case QMetaType::LongLong:
    stored.kind = StoredValue::Kind::Integer;
    stored.integer = value.toLongLong();
    break;
  case QMetaType::QString:
    stored.kind = StoredValue::Kind::Text;
    stored.text = value.toString().toStdString();
    break;
  default:
    stored.kind = StoredValue::Kind::OtherType;
  }
  return stored;
}

// QSettings writes through a temporary file and a rename, so a failed or interrupted write leaves the
// previous file whole; the status after sync() tells whether the new one is in place.
std::size_t IniSettingsBackend::Write(std::span<const std::pair<std::string_view, std::int32_t>> values)
{
  // QSettings would replace a file it could not read with the values given alone, and a FIFO or a
  // device with a file.
  if (IsOtherThanAFile() || QFileInfo(filePath_).size() > kMaxFileBytes)
    return 0;
  QSettings store(filePath_, StoreFormat());
  for (const auto& [name, value] : values)
    store.setValue(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())), value);
  store.sync();
  return store.status() == QSettings::NoError ? values.size() : 0;
}

bool IniSettingsBackend::WriteTexts(std::span<const std::pair<std::string_view, std::string_view>> values)
{
  if (IsOtherThanAFile() || QFileInfo(filePath_).size() > kMaxFileBytes)
    return false;
  QSettings store(filePath_, StoreFormat());
  for (const auto& [name, value] : values)
    store.setValue(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                   QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
  store.sync();
  return store.status() == QSettings::NoError;
}

std::vector<std::string> IniSettingsBackend::Sections() const
{
  std::vector<std::string> sections;
  for (auto it = values_.cbegin(); it != values_.cend(); ++it) {
    const qsizetype slash = it.key().indexOf(u'/');
    if (slash <= 0)
      continue;
    std::string section = it.key().left(slash).toStdString();
    if (std::find(sections.begin(), sections.end(), section) == sections.end())
      sections.push_back(std::move(section));
  }
  return sections;
}

bool IniSettingsBackend::RemoveSection(std::string_view section)
{
  if (IsOtherThanAFile() || QFileInfo(filePath_).size() > kMaxFileBytes)
    return false;
  if (!Exists())
    return true;
  QSettings store(filePath_, StoreFormat());
  store.remove(QString::fromLatin1(section.data(), static_cast<qsizetype>(section.size())));
  store.sync();
  return store.status() == QSettings::NoError;
}

SettingsStore IniSettingsStore(const QString& filePath)
{
  return SettingsStore(std::make_unique<IniSettingsBackend>(filePath));
}
