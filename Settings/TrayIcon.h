#pragma once
#include "Settings/SettingsShell.h"

// The clicks on the tray icon that mean something; a shell names each from its platform's events.
enum class TrayClick { LeftButtonUp, DoubleClick, RightButtonUp };

// The notification-area icon. Add and Remove are idempotent; the icon is wanted between an Add and a
// Remove and shows whenever a tray takes it, also one that comes (or comes back) later.
class TrayIcon {
public:
  explicit TrayIcon(TrayIconShell& shell) : shell_(shell) {}

  void Add();
  void Remove();
  // A tray came, went or was made anew; `iconLost` when it holds no icon of ours any more (a restarted
  // taskbar).
  void TrayChanged(bool iconLost);
  bool isAdded() const { return wanted_; }
  bool isShown() const { return shown_; }
  // Whether the user reaches the program through a tray: one runs and the last add was not refused.
  // While not, the clock offers the tray's menu and window itself.
  bool reachable() const { return !addFailed_ && shell_.TrayAvailable(); }

private:
  void Apply();

  TrayIconShell& shell_;
  bool wanted_ = false;
  bool shown_ = false;
  bool addFailed_ = false;
};
