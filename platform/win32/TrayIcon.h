#pragma once
#include <windows.h>
#include <shellapi.h>

// The notification-area icon of a window: tip "Tickora", mouse messages to the window as
// kCallbackMessage with the mouse message in lParam. Add and Remove are idempotent; the icon is
// wanted between an Add and a Remove, and comes back when the taskbar is made anew (Explorer restarts).
class TrayIcon {
public:
  static constexpr UINT kCallbackMessage = WM_USER + 1;
  static constexpr UINT kId = 1;

  TrayIcon(HWND window, HICON icon);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  void Add();
  void Remove();
  bool isAdded() const { return added_; }
  // The message a new taskbar sends every top-level window.
  static UINT TaskbarCreatedMessage();
  void TaskbarCreated();
  const NOTIFYICONDATAA& record() const { return record_; }

private:
  NOTIFYICONDATAA record_ = {};
  bool added_ = false;
};
