#pragma once
#include <functional>

#include <QObject>
#include <QSystemTrayIcon>

class QMenu;

// The notification-area icon. Add and Remove are idempotent; the icon is wanted between an Add and a
// Remove and shows whenever a tray exists, also one that appears (or comes back) later.
class TrayIcon : public QObject {
  Q_OBJECT
public:
  TrayIcon(const QIcon& icon, std::function<bool()> trayAvailable, QObject* parent = nullptr);

  void Add();
  void Remove();
  // The menu for a tray that shows the icon's menu itself (a D-Bus StatusNotifierItem host); an
  // embedding tray only reports the click, and the program opens its menu.
  void SetMenu(QMenu* menu);
  bool hostShowsMenu() const { return dbusHost_; }
  bool isAdded() const { return added_; }
  bool trayAvailable() const { return available_; }
  const QSystemTrayIcon& systemTrayIcon() const { return icon_; }

signals:
  // The mouse message of a click on the icon; delivered from the event loop, after the tray's own
  // event handling has finished, since the handler may take the icon away.
  void mouseMessage(int message);

private:
  void TrayChanged();
  void Apply();

  QSystemTrayIcon icon_;
  std::function<bool()> isTrayAvailable_;
  bool added_ = false;
  bool available_ = false;
  bool dbusHost_ = false;
};
