#pragma once

// Mouse messages as the tray reports them over the icon.
inline constexpr int kLeftButtonUp = 514;
inline constexpr int kLeftButtonDoubleClick = 515;
inline constexpr int kRightButtonUp = 517;
inline constexpr int kMiddleButtonUp = 520;

enum class TrayAction { None, ShowWindow, OpenMenu };

// What a mouse message over the tray icon asks for.
constexpr TrayAction TrayActionFor(int mouseMessage)
{
  switch (mouseMessage) {
  case kLeftButtonUp:
  case kLeftButtonDoubleClick:
    return TrayAction::ShowWindow;
  case kRightButtonUp:
    return TrayAction::OpenMenu;
  default:
    return TrayAction::None;
  }
}
