#include "Settings/HandlerErrors.h"

#include <QMessageBox>

QString HandlerErrorText(const QString& message)
{
  const QByteArray bytes = message.toUtf8();
  if (!bytes.isEmpty() && static_cast<unsigned char>(bytes.back()) > static_cast<unsigned char>('.'))
    return message + QLatin1Char('.');
  return message;
}

void ShowHandlerError(const QString& message)
{
  QMessageBox::critical(nullptr, QStringLiteral("Tickora"), HandlerErrorText(message));
}
