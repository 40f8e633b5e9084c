#include "platform/win32/TrayIcon.h"

#include <cstring>

namespace {
constexpr char kTip[] = "Tickora";
}  // namespace

TrayIcon::TrayIcon(HWND window, HICON icon)
{
  // The first form of the record (ANSI tip of 64 bytes) is all the icon needs, and every shell takes it.
  record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record_.hWnd = window;
  record_.uID = kId;
  record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.uCallbackMessage = kCallbackMessage;
  record_.hIcon = icon;
  static_assert(sizeof kTip <= 64);
  std::memcpy(record_.szTip, kTip, sizeof kTip);
}

TrayIcon::~TrayIcon()
{
  Remove();
}

void TrayIcon::Add()
{
  if (added_)
    return;
  added_ = true;
  Shell_NotifyIconA(NIM_ADD, &record_);
}

void TrayIcon::Remove()
{
  if (!added_)
    return;
  added_ = false;
  Shell_NotifyIconA(NIM_DELETE, &record_);
}

UINT TrayIcon::TaskbarCreatedMessage()
{
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

void TrayIcon::TaskbarCreated()
{
  // The old taskbar took its icons with it.
  if (added_)
    Shell_NotifyIconA(NIM_ADD, &record_);
}
