#include "platform/qt/MessageBoxes.h"

#include <QMessageBox>
#include <QString>

namespace {

constexpr char kTitle[] = "Tickora";

OpenBoxes& Open()
{
  static OpenBoxes open;
  return open;
}

// Every box comes above the top-most clock and settings window, or it could open behind them.
void ShowOnTop(QMessageBox::Icon icon, const std::string& text)
{
  Open().ShowOnce(text, [icon](const std::string& shown) {
    QMessageBox box(icon, QString::fromLatin1(kTitle), QString::fromStdString(shown), QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
  });
}

}  // namespace

void ShowErrorBox(const std::string& text)
{
  ShowOnTop(QMessageBox::Critical, text);
}

void ShowMessageDialog(const std::string& text)
{
  ShowOnTop(QMessageBox::NoIcon, text);
}

UserMessages BoxMessages()
{
  return {ShowErrorBox, ShowMessageDialog};
}

bool AskYesNo(const QString& question)
{
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kTitle), question, QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::No);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  return box.exec() == QMessageBox::Yes;
}
