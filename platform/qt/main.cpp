#include <cstdio>
#include <memory>

#include <QCoreApplication>
#include <QTimer>

#include "Clocks/ClockData.h"
#include "FullScreen/ClockSet.h"
#include "model/SettingsStore.h"
#include "platform/qt/ClockWindow.h"
#include "platform/qt/CommandLine.h"
#include "platform/qt/IniSettingsBackend.h"
#include "platform/qt/MessageBoxes.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/QtTimeZones.h"
#include "platform/qt/SettingsWindow.h"
#include "platform/qt/SingleInstance.h"
#include "platform/qt/TickTimer.h"
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

  {
    PictureCache pictures;
    // Every window (and the tray) carries the 16 x 16 program icon.
    app.setWindowIcon(ProgramIcon(pictures));
  }
  SettingsStore store = IniSettingsStore();
  TickTimer ticks;
  const QtTimeZones zones;
  // The clocks are native layer surfaces where the Wayland compositor offers them; elsewhere X11
  // windows, through XWayland on a Wayland session.
#ifdef TICKORA_HAVE_WAYLAND
  const std::unique_ptr<LayerShellDisplay> wayland = LayerShellDisplay::Open();
#endif
  const auto openWindow = [&](ClockData& data, ClockCompany& company) -> std::unique_ptr<ClockHost> {
#ifdef TICKORA_HAVE_WAYLAND
    if (wayland)
      return std::make_unique<ClockHostOf<LayerShellWindow>>(
          std::make_unique<LayerShellWindow>(*wayland, data, store, BoxMessages(), &company));
#endif
    return std::make_unique<ClockHostOf<ClockWindow>>(std::make_unique<ClockWindow>(data, store, BoxMessages(), &company));
  };
  ClockSet clocks(store, ticks.schedule(), &zones, openWindow,
                  [](std::function<void()> task) { QTimer::singleShot(0, qApp, std::move(task)); }, BoxMessages());
  clocks.Start();
  SettingsWindowHooks hooks;
  hooks.zoneChoices = [&zones] { return zones.Choices(); };
  hooks.zoneOfChoice = &QtTimeZones::ZoneOfChoice;
  SettingsWindow settingsWindow(*clocks.DataOf(clocks.first()), store, clocks.first(), store.firstStart(), BoxMessages(),
                                std::move(hooks));
  settingsWindow.form().AttachClocks(clocks);
  const auto showSettings = [&settingsWindow] {
    settingsWindow.form().SecondStart();
    BringToFrontForTheUser(settingsWindow);
  };
  SecondStartServer secondStart(SocketPathFor(lock.path), showSettings);
  if (answer.settings)
    showSettings();
  return app.exec();
}
