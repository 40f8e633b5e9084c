#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>

#include <QByteArray>
#include <QStringList>
#include <QTimeZone>

#include "FullScreen/TimeZones.h"

// The IANA zones of the system's tzdata, through QTimeZone. Only a name the database lists is ever
// handed to QTimeZone, so a stored name with path characters ("../../etc/passwd") opens no file.
class QtTimeZones : public TimeZones {
public:
  QtTimeZones();

  ZoneTime Now(const std::string& zone) const override;
  std::string CityOf(const std::string& zone) const override;

  // The time in `zone` at a moment (milliseconds since the epoch), its date against `local`'s (the
  // system's zone where none is given).
  ZoneTime At(const std::string& zone, qint64 msecsSinceEpoch, const std::optional<QTimeZone>& local = std::nullopt) const;
  // Whether the database lists the zone.
  bool Knows(const std::string& zone) const;

  // What the zone field offers to complete: "City, Country (Zone/Name)" for every zone, so that a city,
  // a country or a zone name finds it.
  QStringList Choices() const;
  // The zone a choice or typed text names: the name in a choice's brackets, else the text itself.
  static std::string ZoneOfChoice(const QString& text);

private:
  const QTimeZone* Find(const std::string& zone) const;

  std::set<QByteArray> ids_;
  mutable std::map<std::string, QTimeZone> zones_;  // the ones asked for, each read once
};
