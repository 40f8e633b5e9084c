#include "platform/qt/TickoraApplication.h"

#include "model/UserMessages.h"
#include "platform/qt/MessageBoxes.h"

namespace {
constexpr char kApplicationName[] = "Tickora";
}

TickoraApplication::TickoraApplication(int& argc, char** argv)
    : QApplication(argc, argv), reporter_(ShowErrorBox)
{
  setApplicationName(QString::fromLatin1(kApplicationName));
  // The clock lives in the tray: closing a window never ends the program.
  setQuitOnLastWindowClosed(false);
}

bool TickoraApplication::notify(QObject* receiver, QEvent* event)
{
  bool handled = false;
  RunHandler({reporter_, nullptr}, [&] { handled = QApplication::notify(receiver, event); });
  return handled;
}
