#pragma once
#include <QSystemTrayIcon>

// Mouse messages as the tray reports them over the icon.
inline constexpr int kLeftButtonUp = 514;
inline constexpr int kLeftButtonDoubleClick = 515;
inline constexpr int kRightButtonUp = 517;
inline constexpr int kMiddleButtonUp = 520;

enum class TrayAction { None, ShowWindow, OpenMenu };

// What a mouse message over the tray icon asks for.
TrayAction TrayActionFor(int mouseMessage);

// Qt reports clicks on the icon as activation reasons; each stands for the mouse message it ends.
int MouseMessageFor(QSystemTrayIcon::ActivationReason reason);
