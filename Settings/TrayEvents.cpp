#include "Settings/TrayEvents.h"

TrayAction TrayActionFor(int mouseMessage)
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

int MouseMessageFor(QSystemTrayIcon::ActivationReason reason)
{
  switch (reason) {
  case QSystemTrayIcon::Trigger:
    return kLeftButtonUp;
  case QSystemTrayIcon::DoubleClick:
    return kLeftButtonDoubleClick;
  case QSystemTrayIcon::Context:
    return kRightButtonUp;
  case QSystemTrayIcon::MiddleClick:
    return kMiddleButtonUp;
  case QSystemTrayIcon::Unknown:
    break;
  }
  return 0;
}
