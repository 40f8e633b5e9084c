#include "platform/ErrorReporting.h"

#include <exception>

#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include "model/TickoraError.h"

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

QString ErrorText(std::string_view message)
{
  return QString::fromStdString(ErrorBoxText(message));
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

UserMessages UserMessages::Later(QObject* context) const
{
  const auto later = [context](std::function<void(const QString&)> to) {
    return [context, to = std::move(to)](const QString& text) {
      QTimer::singleShot(0, context, [to, text] {
        if (to)
          to(text);
      });
    };
  };
  return {later(error), later(notice)};
}

void RunHandler(const UserMessages& messages, const std::function<void()>& handler)
{
  try {
    handler();
  } catch (const std::exception& e) {
    if (messages.error)
      messages.error(ErrorText(e.what()));
  }
}

void ShowMessageDialog(const QString& text)
{
  ShowOnTop(QMessageBox::NoIcon, text);
}
