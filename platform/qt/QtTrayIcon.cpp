#include "platform/qt/QtTrayIcon.h"

#include "platform/qt/TrayHost.h"

namespace {
constexpr char kTip[] = "Tickora";
}  // namespace

QtTrayIcon::QtTrayIcon(const QIcon& icon, std::function<bool()> trayAvailable, QObject* parent)
    : QObject(parent), icon_(icon), isTrayAvailable_(std::move(trayAvailable))
{
  icon_.setToolTip(QString::fromLatin1(kTip));
  connect(&icon_, &QSystemTrayIcon::activated, this, &QtTrayIcon::Activated, Qt::QueuedConnection);
  available_ = isTrayAvailable_ && isTrayAvailable_();
  dbusHost_ = StatusNotifierHostPresent();
  // A tray host may start after us, or restart.
  new TrayHostWatch([this] { TrayHostChanged(); }, this);
}

void QtTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason)
{
  switch (reason) {
  case QSystemTrayIcon::Trigger:
    emit clicked(TrayClick::LeftButtonUp);
    break;
  case QSystemTrayIcon::DoubleClick:
    emit clicked(TrayClick::DoubleClick);
    break;
  case QSystemTrayIcon::Context:
    // A D-Bus host opens the menu itself.
    if (!dbusHost_)
      emit clicked(TrayClick::RightButtonUp);
    break;
  case QSystemTrayIcon::MiddleClick:
  case QSystemTrayIcon::Unknown:
    break;
  }
}

void QtTrayIcon::SetMenu(QMenu* menu)
{
  // Set on an embedding tray, Qt would open it at the press as well as our own at the release.
  if (dbusHost_)
    icon_.setContextMenu(menu);
}

bool QtTrayIcon::ShowTrayIcon()
{
  icon_.setVisible(true);
  return true;
}

void QtTrayIcon::HideTrayIcon()
{
  icon_.setVisible(false);
}

void QtTrayIcon::TrayHostChanged()
{
  const bool available = isTrayAvailable_ && isTrayAvailable_();
  if (available == available_)
    return;
  available_ = available;
  emit trayChanged();
}
