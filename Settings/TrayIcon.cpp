#include "Settings/TrayIcon.h"

#include "Settings/TrayEvents.h"
#include "platform/TrayHost.h"

namespace {
constexpr char kTip[] = "Tickora";
}  // namespace

TrayIcon::TrayIcon(const QIcon& icon, std::function<bool()> trayAvailable, QObject* parent)
    : QObject(parent), icon_(icon), isTrayAvailable_(std::move(trayAvailable))
{
  icon_.setToolTip(QString::fromLatin1(kTip));
  connect(&icon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) { emit mouseMessage(MouseMessageFor(reason)); },
          Qt::QueuedConnection);
  available_ = isTrayAvailable_ && isTrayAvailable_();
  dbusHost_ = StatusNotifierHostPresent();
  // A tray host may start after us, or restart: the icon follows it.
  new TrayHostWatch([this] { TrayChanged(); }, this);
}

void TrayIcon::Add()
{
  added_ = true;
  Apply();
}

void TrayIcon::SetMenu(QMenu* menu)
{
  // Set on an embedding tray, Qt would open it at the press as well as our own at the release.
  if (dbusHost_)
    icon_.setContextMenu(menu);
}

void TrayIcon::Remove()
{
  added_ = false;
  Apply();
}

void TrayIcon::TrayChanged()
{
  const bool available = isTrayAvailable_ && isTrayAvailable_();
  if (available == available_)
    return;
  available_ = available;
  Apply();
}

void TrayIcon::Apply()
{
  const bool show = added_ && available_;
  if (show != icon_.isVisible())
    icon_.setVisible(show);
}
