#include "platform/ErrorReporting.h"

#include <QMessageBox>
#include <QStringList>

namespace {

constexpr char kTitle[] = "Tickora";

// Texts of the error boxes open right now (a box runs its own event loop, so ticks go on under it).
QStringList& OpenErrorBoxes()
{
  static QStringList open;
  return open;
}

// Every box comes above the top-most clock and settings window, or it could open behind them.
void ShowOnTop(QMessageBox::Icon icon, const QString& text)
{
  QMessageBox box(icon, QString::fromLatin1(kTitle), text, QMessageBox::Ok);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

}  // namespace

QString ErrorBoxText(std::string_view message)
{
  QString text = QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
    text += u'.';
  return text;
}

QString SystemMessageText(const QString& text)
{
  qsizetype end = text.size();
  while (end > 0 && (text[end - 1] <= u' ' || text[end - 1] == u'.'))
    --end;
  return text.left(end);
}

void ShowErrorBox(const QString& text)
{
  QStringList& open = OpenErrorBoxes();
  if (open.contains(text))
    return;
  open.append(text);
  ShowOnTop(QMessageBox::Critical, text);
  open.removeOne(text);
}

void ShowMessageDialog(const QString& text)
{
  ShowOnTop(QMessageBox::NoIcon, text);
}
