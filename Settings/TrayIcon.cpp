#include "Settings/TrayIcon.h"

void TrayIcon::Add()
{
  wanted_ = true;
  Apply();
}

void TrayIcon::Remove()
{
  wanted_ = false;
  Apply();
}

void TrayIcon::TrayChanged(bool iconLost)
{
  if (iconLost)
    shown_ = false;
  // A new tray may take what the last refused.
  addFailed_ = false;
  Apply();
}

void TrayIcon::Apply()
{
  const bool show = wanted_ && shell_.TrayAvailable();
  if (show == shown_)
    return;
  if (show) {
    shown_ = shell_.ShowTrayIcon();
    addFailed_ = !shown_;
  } else {
    shell_.HideTrayIcon();
    shown_ = false;
  }
}
