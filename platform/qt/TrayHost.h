#pragma once
#include <functional>
#include <memory>

#include <QObject>

#include "platform/qt/SelectionWatch.h"

// Whether a StatusNotifierItem host (KDE Plasma, XFCE's panel, waybar...) serves the session's tray over
// D-Bus. Qt then publishes the tray icon there instead of embedding it (XEmbed), and the host shows the
// icon's menu itself. Asked once, when the tray icon is made, as Qt decides once.
bool StatusNotifierHostPresent();

// Calls `changed` whenever a tray may have come or gone: the system tray selection changing hands, or a
// StatusNotifierItem watcher or host appearing on or leaving the session bus. Nothing is polled.
class TrayHostWatch : public QObject {
  Q_OBJECT
public:
  explicit TrayHostWatch(std::function<void()> changed, QObject* parent = nullptr);

private slots:
  void Changed();

private:
  std::function<void()> changed_;
  std::unique_ptr<SelectionWatch> systemTray_;
};
