#include "platform/qt/TrayHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusServiceWatcher>
#include <QVariant>

namespace {
constexpr char kWatcherService[] = "org.kde.StatusNotifierWatcher";
constexpr char kWatcherPath[] = "/StatusNotifierWatcher";
constexpr char kHostRegistered[] = "StatusNotifierHostRegistered";
constexpr char kHostUnregistered[] = "StatusNotifierHostUnregistered";
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

TrayHostWatch::TrayHostWatch(std::function<void()> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed))
{
  systemTray_ = std::make_unique<SelectionWatch>("_NET_SYSTEM_TRAY_S", [this](bool) { Changed(); });
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected())
    return;
  const QString service = QString::fromLatin1(kWatcherService);
  auto* watcher = new QDBusServiceWatcher(service, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &TrayHostWatch::Changed);
  for (const char* signal : {kHostRegistered, kHostUnregistered})
    bus.connect(service, QString::fromLatin1(kWatcherPath), service, QString::fromLatin1(signal), this, SLOT(Changed()));
}

void TrayHostWatch::Changed()
{
  if (changed_)
    changed_();
}
