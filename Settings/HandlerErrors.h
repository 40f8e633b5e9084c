#pragma once
#include <QString>

// An error that ends a handler, as the user reads it: a full stop is added when the message's last
// character sorts after "." (so "...'Size'" stays as it is).
QString HandlerErrorText(const QString& message);

// The application's error box: titled "Tickora", error icon, one OK button.
void ShowHandlerError(const QString& message);
