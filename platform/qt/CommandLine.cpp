#include "platform/qt/CommandLine.h"

#include <iterator>

#ifndef TICKORA_VERSION
#error "TICKORA_VERSION is set by the build (the project's version)"
#endif

namespace {

constexpr char kUsage[] = "Usage: tickora [-h | --help] [-v | --version] [--settings] [Qt options]\n";

constexpr char kHelp[] =
    "A round analog clock that floats above all windows.\n"
    "\n"
    "  -h, --help         show this help and end\n"
    "  -v, --version      show the version and end\n"
    "      --settings     show the settings window (starting the clock if none runs)\n"
    "\n"
    "Started again while the clock runs, Tickora shows the running clock's settings\n"
    "window and, if the clock is locked in place with no tray icon, unlocks it.\n"
    "\n"
    "Qt's own options work too, among them:\n"
    "  -display DISPLAY   the X display to show the clock on\n"
    "  -platform xcb      the window system; Tickora needs X11 (on Wayland, XWayland)\n"
    "  -style STYLE       the look of the settings window's controls\n"
    "\n"
    "The tray icon (without a tray, a right click on the clock) offers \"Settings\",\n"
    "\"Start at login\", \"Lock in place\", \"Hide over full-screen windows\" and\n"
    "\"Close\". The settings are kept in\n"
    "$XDG_CONFIG_HOME/Tickora/Tickora.conf (by default ~/.config/Tickora/Tickora.conf).\n"
    "More in tickora(1).\n";

// The options Qt takes from the command line (the application objects and the xcb plugin). Qt reads
// them after one dash or two, and the value from the next argument; it leaves an option without its
// value in place. Anything else that starts with a dash is no option of Qt's either.
constexpr struct {
  const char* name;
  bool takesValue;
} kQtOptions[] = {
    {"platform", true},    {"platformpluginpath", true}, {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},    {"qwindowtitle", true},    {"geometry", true},
    {"title", true},       {"icon", true},               {"session", true},         {"display", true},
    {"name", true},        {"visual", true},             {"style", true},           {"stylesheet", true},
    {"qmljsdebugger", true}, {"reverse", false},         {"testability", false},    {"nograb", false},
    {"dograb", false},     {"widgetcount", false},
};
// Those Qt also reads as "-name=value".
constexpr const char* kJoinedValueOptions[] = {"style", "stylesheet", "qmljsdebugger"};

enum class Kind { Qt, QtWithValue, Unknown };

Kind QtOptionKind(const QString& name)
{
  const qsizetype equals = name.indexOf(u'=');
  if (equals >= 0) {
    for (const char* joined : kJoinedValueOptions) {
      if (name.left(equals) == QLatin1String(joined))
        return Kind::Qt;
    }
    return Kind::Unknown;
  }
  for (const auto& option : kQtOptions) {
    if (name == QLatin1String(option.name))
      return option.takesValue ? Kind::QtWithValue : Kind::Qt;
  }
  return Kind::Unknown;
}

CommandLineAnswer Misuse(const QString& problem)
{
  return {true, 2, {}, QStringLiteral("tickora: ") + problem + u'\n' + QLatin1String(kUsage)};
}

}  // namespace

QString VersionText()
{
  return QStringLiteral("Tickora " TICKORA_VERSION);
}

QStringList ProgramArguments(int argc, char** argv)
{
  QStringList arguments;
  for (int i = 1; i < argc; ++i)
    arguments.append(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

CommandLineAnswer AnswerCommandLine(const QStringList& arguments)
{
  bool help = false;
  bool version = false;
  bool settings = false;
  bool optionsEnded = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (optionsEnded || !argument.startsWith(u'-') || argument == QLatin1String("-"))
      return Misuse(QStringLiteral("unexpected argument \"%1\"").arg(argument));
    if (argument == QLatin1String("--")) {
      optionsEnded = true;
    } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
      help = true;
    } else if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
      version = true;
    } else if (argument == QLatin1String("--settings")) {
      settings = true;
    } else {
      const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
      switch (QtOptionKind(name)) {
      case Kind::Qt:
        break;
      case Kind::QtWithValue:
        if (i + 1 == arguments.size())
          return Misuse(QStringLiteral("option \"%1\" needs a value").arg(argument));
        ++i;
        break;
      case Kind::Unknown:
        return Misuse(QStringLiteral("unknown option \"%1\"").arg(argument));
      }
    }
  }
  if (help)
    return {true, 0, QLatin1String(kUsage) + QLatin1String(kHelp), {}};
  if (version)
    return {true, 0, VersionText() + u'\n', {}};
  CommandLineAnswer start;
  start.settings = settings;
  return start;
}
