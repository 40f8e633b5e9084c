#include "model/SettingsStore.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QSettings>

#include "model/ClockGeometry.h"
#include "model/Numbers.h"
#include "model/TickoraError.h"

namespace {

constexpr char kGetFailed[] = "Failed to get data for '%s'";
constexpr char kWrongType[] = "Invalid data type for '%s'";
constexpr char kSetFailed[] = "Failed to set data for '%s'";
constexpr char kStoreFolder[] = "Tickora";
constexpr char kStoreFile[] = "Tickora.conf";
constexpr char kMainSection[] = "General";

struct Field {
  const char* name;
  std::int32_t ClockSettings::*member;
};

// The order in which every operation reads and writes the values.
constexpr std::array<Field, 9> kFields = {{
    {"Size", &ClockSettings::sizeStep},
    {"Algoritm", &ClockSettings::skin},
    {"Clock_F", &ClockSettings::dialStyle},
    {"Clock_FF", &ClockSettings::transparency},
    {"Seconds", &ClockSettings::showSeconds},
    {"Arrows_Width", &ClockSettings::handWidth},
    {"Dig_On_Off", &ClockSettings::showNumerals},
    {"Left", &ClockSettings::left},
    {"Top", &ClockSettings::top},
}};
constexpr std::size_t kLeftField = 7;

[[noreturn]] void Fail(const char* pattern, const char* name)
{
  throw TickoraError(FormatMessage(pattern, name));
}

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
  QString section;
  for (const QByteArray& raw : device.readAll().split('\n')) {
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

bool WriteStoreFile(QIODevice& device, const QSettings::SettingsMap& map)
{
  QByteArray text = QByteArray("[") + kMainSection + "]\n";
  for (const Field& field : kFields) {
    const auto found = map.constFind(QString::fromLatin1(field.name));
    if (found != map.cend())
      text += QByteArray(field.name) + '=' + ValueText(found.value()).toUtf8() + '\n';
  }
  const auto isOurs = [](const QString& key) {
    return std::any_of(kFields.begin(), kFields.end(), [&](const Field& f) { return key == QLatin1String(f.name); });
  };
  QString currentSection;
  for (auto it = map.cbegin(); it != map.cend(); ++it) {
    if (!it.key().contains(u'/') && !isOurs(it.key()))
      text += it.key().toUtf8() + '=' + ValueText(it.value()).toUtf8() + '\n';
  }
  for (auto it = map.cbegin(); it != map.cend(); ++it) {
    const qsizetype slash = it.key().indexOf(u'/');
    if (slash < 0)
      continue;
    const QString section = it.key().left(slash);
    if (section != currentSection) {
      text += "\n[" + section.toUtf8() + "]\n";
      currentSection = section;
    }
    text += it.key().mid(slash + 1).toUtf8() + '=' + ValueText(it.value()).toUtf8() + '\n';
  }
  return device.write(text) == text.size();
}

QSettings::Format StoreFormat()
{
  // Registering is process-wide in Qt; do it once.
  static const QSettings::Format format = QSettings::registerFormat("conf", ReadStoreFile, WriteStoreFile);
  return format;
}

bool IsInteger(const QString& text)
{
  qsizetype at = (text.startsWith(u'-') || text.startsWith(u'+')) ? 1 : 0;
  if (at == text.size())
    return false;
  for (; at < text.size(); ++at) {
    if (text[at] < u'0' || text[at] > u'9')
      return false;
  }
  return true;
}

std::int32_t ReadInteger(const QSettings& store, const char* name)
{
  const QVariant value = store.value(QString::fromLatin1(name));
  if (!value.isValid())
    Fail(kGetFailed, name);
  bool ok = false;
  qlonglong number = 0;
  switch (value.typeId()) {
  case QMetaType::Int:
  case QMetaType::LongLong:  // a value this process wrote, still in Qt's cache
    number = value.toLongLong(&ok);
    break;
  case QMetaType::QString:
    if (!IsInteger(value.toString()))
      Fail(kWrongType, name);
    number = value.toString().toLongLong(&ok);
    break;
  default:
    Fail(kWrongType, name);
  }
  // An integer that does not fit 32 bits is data too long for the value.
  if (!ok || number < std::numeric_limits<std::int32_t>::min() || number > std::numeric_limits<std::int32_t>::max())
    Fail(kGetFailed, name);
  return static_cast<std::int32_t>(number);
}

void ReadAll(const QString& path, ClockSettings& settings)
{
  QSettings store(path, StoreFormat());
  // A store that exists but cannot be read has no value to give.
  if (store.status() == QSettings::AccessError)
    Fail(kGetFailed, kFields.front().name);
  for (const Field& field : kFields)
    settings.*field.member = ReadInteger(store, field.name);
}

// QSettings writes through a temporary file and a rename, so a failed or interrupted write leaves the
// previous file whole; the status after sync() tells whether the new one is in place.
void WriteFields(const QString& path, const ClockSettings& settings, std::size_t first, std::size_t count)
{
  QSettings store(path, StoreFormat());
  for (std::size_t i = first; i < first + count; ++i)
    store.setValue(QString::fromLatin1(kFields[i].name), settings.*kFields[i].member);
  store.sync();
  if (store.status() != QSettings::NoError)
    Fail(kSetFailed, kFields[first].name);
}

}  // namespace

SettingsStore::SettingsStore(QString filePath) : filePath_(std::move(filePath)) {}

QString SettingsStore::DefaultPath()
{
  // The XDG rules ignore a relative XDG_CONFIG_HOME.
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base))
    base = QDir::homePath() + QStringLiteral("/.config");
  return base + u'/' + QLatin1String(kStoreFolder) + u'/' + QLatin1String(kStoreFile);
}

void SettingsStore::LoadSettings(ClockSettings& settings, QRect screen)
{
  if (!QFileInfo(filePath_).exists()) {
    settings = FirstStartSettings(screen);
    try {
      WriteFields(filePath_, settings, 0, kFields.size());
    } catch (const TickoraError&) {
      // A store that cannot be created at the first start: the clock runs on its defaults.
    }
    firstStart_ = true;
    return;
  }
  // Values that cannot be read keep their first-start defaults so the clock can still start.
  ClockSettings loaded = FirstStartSettings(screen);
  try {
    ReadAll(filePath_, loaded);
  } catch (const TickoraError&) {
    BringIntoRange(loaded);
    settings = loaded;
    throw;
  }
  BringIntoRange(loaded);
  settings = loaded;
}

void SettingsStore::SaveSettings(const ClockSettings& settings)
{
  WriteFields(filePath_, settings, 0, kFields.size());
}

void SettingsStore::SavePosition(const ClockSettings& settings)
{
  WriteFields(filePath_, settings, kLeftField, 2);
}

ClockSettings FirstStartSettings(QRect screen)
{
  ClockSettings settings;
  std::int32_t d = OddDiameterOf(settings.sizeStep);
  if (d >= screen.height())
    d = screen.height();
  const long double halfD = static_cast<long double>(d) / 2.0L;
  settings.left = screen.x() + Round(static_cast<long double>(screen.width()) / 2.0L - halfD);
  settings.top = screen.y() + Round(static_cast<long double>(screen.height()) / 2.0L - halfD);
  return settings;
}

void BringIntoRange(ClockSettings& settings)
{
  settings.sizeStep = std::clamp(settings.sizeStep, 0, kMaxSizeStep);
  settings.skin = std::clamp(settings.skin, kMinSkin, kMaxSkin);
  settings.dialStyle = std::clamp(settings.dialStyle, 0, kMaxDialStyle);
  settings.transparency = std::clamp(settings.transparency, 0, kMaxTransparency);
  settings.handWidth = std::clamp(settings.handWidth, 0, kMaxHandWidth);
}
