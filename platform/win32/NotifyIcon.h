#pragma once
#include <windows.h>
#include <shellapi.h>

#include "Settings/SettingsShell.h"

// The notification-area icon of a window: tip "Tickora", mouse messages to the window as
// kCallbackMessage with the mouse message in lParam. Whether it is wanted is TrayIcon's.
class NotifyIcon : public TrayIconShell {
public:
  static constexpr UINT kCallbackMessage = WM_USER + 1;
  static constexpr UINT kId = 1;

  NotifyIcon(HWND window, HICON icon);
  ~NotifyIcon() override;
  NotifyIcon(const NotifyIcon&) = delete;
  NotifyIcon& operator=(const NotifyIcon&) = delete;

  // The message a new taskbar (Explorer restarted) sends every top-level window: it holds none of
  // the old one's icons.
  static UINT TaskbarCreatedMessage();
  const NOTIFYICONDATAA& record() const { return record_; }

  // Windows always has a taskbar; whether it takes the icon shows when it is added.
  bool TrayAvailable() const override { return true; }
  bool ShowTrayIcon() override;
  void HideTrayIcon() override;

private:
  NOTIFYICONDATAA record_ = {};
  bool shown_ = false;
};
