#include "Settings/TrayEvents.h"

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
