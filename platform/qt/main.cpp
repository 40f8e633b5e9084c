#include <cstdio>
#include <memory>

#include <QCoreApplication>

#include "Clocks/ClockData.h"
#include "model/SettingsStore.h"
#include "platform/qt/ClockWindow.h"
#include "platform/qt/CommandLine.h"
#include "platform/qt/IniSettingsBackend.h"
#include "platform/qt/MessageBoxes.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/SettingsWindow.h"
#include "platform/qt/SingleInstance.h"
#include "platform/qt/TickoraApplication.h"
#include "platform/qt/WindowSystem.h"
#ifdef TICKORA_HAVE_WAYLAND
#include "platform/wayland/LayerShellWindow.h"
#endif

int main(int argc, char** argv)
{
  // --help and --version answer before anything needs a display or the lock; a misused command line
  // ends here too rather than start a clock the user did not ask for.
  const CommandLineAnswer answer = AnswerCommandLine(ProgramArguments(argc, argv));
  if (answer.exits) {
    std::fputs(answer.out.toLocal8Bit().constData(), stdout);
    std::fputs(answer.err.toLocal8Bit().constData(), stderr);
    return answer.exitCode;
  }
  PreferX11OnWayland();

  // A second copy asks the running one to show its settings and ends, with or without a display,
  // reading and writing no setting. The copy that runs says where its lock is when that is not the
  // runtime folder, or why a second copy would run too.
  const LockLocation lock = SingleInstanceGuard::DefaultLocation();
  SingleInstanceGuard guard(lock.path);
  if (guard.IsAlreadyRunning()) {
    const QCoreApplication sockets(argc, argv);  // a local socket wants an application object
    if (!AskRunningCopy(SocketPathFor(lock.path)))
      std::fputs("Tickora: the running clock did not answer.\n", stderr);
    return 0;
  }
  if (!lock.notice.isEmpty())
    std::fprintf(stderr, "%s\n", qPrintable(lock.notice));
  const QString noDisplay = MissingDisplayMessage(argc, argv);
  if (!noDisplay.isEmpty()) {
    std::fprintf(stderr, "%s\n", qPrintable(noDisplay));
    return 1;
  }
  // Qt's own event loop costs less than GLib's for the clock's few timers and sockets. QT_NO_GLIB=0
  // asks for GLib's, which Qt takes only while the variable is unset.
  if (qgetenv("QT_NO_GLIB") == "0")
    qunsetenv("QT_NO_GLIB");
  else if (qEnvironmentVariableIsEmpty("QT_NO_GLIB"))
    qputenv("QT_NO_GLIB", "1");
  TickoraApplication app(argc, argv);

  auto data = std::make_unique<ClockData>();
  // Both windows (and the tray) carry the 16 x 16 program icon.
  app.setWindowIcon(ProgramIcon(data->pictures));
  SettingsStore store = IniSettingsStore();
  // The clock window is a native layer surface where the Wayland compositor offers one; elsewhere an X11
  // window, through XWayland on a Wayland session.
#ifdef TICKORA_HAVE_WAYLAND
  const std::unique_ptr<LayerShellWindow> layerClock = LayerShellWindow::Open(*data, store, BoxMessages());
  const std::unique_ptr<ClockWindow> x11Clock =
      layerClock ? nullptr : std::make_unique<ClockWindow>(*data, store, BoxMessages());
  TForm1& clock = layerClock ? layerClock->form() : x11Clock->form();
#else
  ClockWindow x11Clock(*data, store, BoxMessages());
  TForm1& clock = x11Clock.form();
#endif
  SettingsWindow settingsWindow(*data, store, clock, store.firstStart(), BoxMessages());
  const auto showSettings = [&settingsWindow] {
    settingsWindow.form().SecondStart();
    BringToFrontForTheUser(settingsWindow);
  };
  SecondStartServer secondStart(SocketPathFor(lock.path), showSettings);
  if (answer.settings)
    showSettings();
  return app.exec();
}
