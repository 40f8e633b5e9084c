#include "platform/win32/NotifyIcon.h"

#include <cstring>

namespace {
constexpr char kTip[] = "Tickora";
}  // namespace

NotifyIcon::NotifyIcon(HWND window, HICON icon)
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

NotifyIcon::~NotifyIcon()
{
  HideTrayIcon();
}

bool NotifyIcon::ShowTrayIcon()
{
  shown_ = Shell_NotifyIconA(NIM_ADD, &record_) != FALSE;
  return shown_;
}

void NotifyIcon::HideTrayIcon()
{
  if (shown_)
    Shell_NotifyIconA(NIM_DELETE, &record_);
  shown_ = false;
}

UINT NotifyIcon::TaskbarCreatedMessage()
{
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}
