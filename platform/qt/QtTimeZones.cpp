#include "platform/qt/QtTimeZones.h"

#include <QDateTime>
#include <QLocale>

namespace {
// IANA names: letters, digits and "_+-." in parts of at most 14 characters ("Etc/GMT+5" and the
// like), none of them "." or "..", nothing absolute.
bool IsZoneName(const std::string& zone)
{
  if (zone.empty() || zone.size() > 64 || zone.front() == '/' || zone.back() == '/')
    return false;
  std::size_t partStart = 0;
  for (std::size_t i = 0; i <= zone.size(); ++i) {
    if (i == zone.size() || zone[i] == '/') {
      const std::string_view part = std::string_view(zone).substr(partStart, i - partStart);
      if (part.empty() || part == "." || part == "..")
        return false;
      partStart = i + 1;
      continue;
    }
    const char c = zone[i];
    const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                         c == '+' || c == '-' || c == '.';
    if (!allowed)
      return false;
  }
  return true;
}
}  // namespace

QtTimeZones::QtTimeZones()
{
  for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
    ids_.insert(id);
}

bool QtTimeZones::Knows(const std::string& zone) const
{
  return IsZoneName(zone) && ids_.count(QByteArray::fromStdString(zone)) != 0;
}

const QTimeZone* QtTimeZones::Find(const std::string& zone) const
{
  const auto found = zones_.find(zone);
  if (found != zones_.end())
    return found->second.isValid() ? &found->second : nullptr;
  // Unknown names are remembered as such too: the database is asked once per name.
  const QTimeZone& made = zones_[zone] = Knows(zone) ? QTimeZone(QByteArray::fromStdString(zone)) : QTimeZone();
  return made.isValid() ? &made : nullptr;
}

ZoneTime QtTimeZones::At(const std::string& zone, qint64 msecsSinceEpoch, const std::optional<QTimeZone>& local) const
{
  const QTimeZone* found = Find(zone);
  const QDateTime there = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, found ? *found : QTimeZone::utc());
  const QDateTime here = local ? QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, *local)
                               : QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch);  // local time
  ZoneTime now;
  const QTime time = there.time();
  now.time = {time.hour(), time.minute(), time.second()};
  now.dayOffset = static_cast<int>(here.date().daysTo(there.date()));
  now.known = found != nullptr;
  return now;
}

ZoneTime QtTimeZones::Now(const std::string& zone) const
{
  return At(zone, QDateTime::currentMSecsSinceEpoch());
}

std::string QtTimeZones::CityOf(const std::string& zone) const
{
  if (!Knows(zone))
    return {};
  std::string city = zone.substr(zone.find_last_of('/') + 1);
  for (char& c : city) {
    if (c == '_')
      c = ' ';
  }
  return city;
}

QStringList QtTimeZones::Choices() const
{
  // The database's territory table names each zone's country without reading any zone.
  std::map<QByteArray, QString> countries;
  for (int t = 1; t <= static_cast<int>(QLocale::LastTerritory); ++t) {
    const auto territory = static_cast<QLocale::Territory>(t);
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds(territory))
      countries.emplace(id, QLocale::territoryToString(territory));
  }
  QStringList choices;
  for (const QByteArray& id : ids_) {
    const QString city = QString::fromStdString(CityOf(id.toStdString()));
    const auto country = countries.find(id);
    const QString place = country == countries.end() ? city : city + QStringLiteral(", ") + country->second;
    choices.append(place + QStringLiteral(" (") + QString::fromLatin1(id) + u')');
  }
  return choices;
}

std::string QtTimeZones::ZoneOfChoice(const QString& text)
{
  const QString trimmed = text.trimmed();
  const qsizetype open = trimmed.lastIndexOf(u'(');
  if (trimmed.endsWith(u')') && open >= 0)
    return trimmed.mid(open + 1, trimmed.size() - open - 2).trimmed().toStdString();
  return trimmed.toStdString();
}
