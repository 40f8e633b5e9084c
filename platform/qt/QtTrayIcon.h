#pragma once
#include <functional>

#include <QObject>
#include <QSystemTrayIcon>

#include "Settings/TrayIcon.h"

class QMenu;

// The tray icon on Qt: an XEmbed tray or a D-Bus StatusNotifierItem host. It reports the clicks that
// mean something and every coming and going of a tray; whether the icon is wanted is TrayIcon's.
class QtTrayIcon : public QObject, public TrayIconShell {
  Q_OBJECT
public:
  QtTrayIcon(const QIcon& icon, std::function<bool()> trayAvailable, QObject* parent = nullptr);

  // The menu for a tray that shows the icon's menu itself (a D-Bus StatusNotifierItem host); an
  // embedding tray only reports the click, and the program opens its menu.
  void SetMenu(QMenu* menu);
  bool hostShowsMenu() const { return dbusHost_; }
  const QSystemTrayIcon& systemTrayIcon() const { return icon_; }

  bool TrayAvailable() const override { return available_; }
  bool ShowTrayIcon() override;
  void HideTrayIcon() override;

signals:
  // Delivered from the event loop, after the tray's own event handling has finished, since the
  // handler may take the icon away.
  void clicked(TrayClick click);
  void trayChanged();

private:
  void Activated(QSystemTrayIcon::ActivationReason reason);
  void TrayHostChanged();

  QSystemTrayIcon icon_;
  std::function<bool()> isTrayAvailable_;
  bool available_ = false;
  bool dbusHost_ = false;
};
