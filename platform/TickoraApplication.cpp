#include "platform/TickoraApplication.h"

#include <exception>

#include "platform/ErrorReporting.h"

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
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    reporter_(ErrorText(e.what()));
  } catch (...) {
    reporter_(ErrorText("Unknown error"));
  }
  return false;
}
