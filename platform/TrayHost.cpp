#include "platform/TrayHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QVariant>

namespace {
constexpr char kWatcherService[] = "org.kde.StatusNotifierWatcher";
constexpr char kWatcherPath[] = "/StatusNotifierWatcher";
}  // namespace

bool StatusNotifierHostPresent()
{
  const QDBusConnection bus = QDBusConnection::sessionBus();
  const QDBusConnectionInterface* names = bus.interface();
  if (!bus.isConnected() || !names || !names->isServiceRegistered(QString::fromLatin1(kWatcherService)))
    return false;
  QDBusInterface watcher(QString::fromLatin1(kWatcherService), QString::fromLatin1(kWatcherPath),
                         QString::fromLatin1(kWatcherService), bus);
  return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}
