#pragma once
#include <QSystemTrayIcon>

#include "Settings/TrayActions.h"

// Qt reports clicks on the icon as activation reasons; each stands for the mouse message it ends.
int MouseMessageFor(QSystemTrayIcon::ActivationReason reason);
