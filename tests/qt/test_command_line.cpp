#include <gtest/gtest.h>

#include <QRegularExpression>

#include "platform/qt/CommandLine.h"

TEST(CommandLine, OwnOptionsAnswerQtOptionsPassAndAnythingElseIsMisuse)
{
  const QString usage = QStringLiteral("Usage: tickora [-h | --help] [-v | --version] [--settings] [Qt options]");
  const struct {
    QStringList arguments;
    bool exits;
    int exitCode;
    QString out;  // the first line
    QString err;  // the first line; a misuse is followed by the usage line
    bool settings = false;
  } cases[] = {
      {{}, false, 0, {}, {}},
      {{"--settings", "-display", ":1"}, false, 0, {}, {}, true},
      {{"--settings", "--version"}, true, 0, QStringLiteral("Tickora "), {}},
      {{"--help"}, true, 0, usage, {}},
      {{"-h"}, true, 0, usage, {}},
      {{"--version"}, true, 0, QStringLiteral("Tickora "), {}},
      {{"-v"}, true, 0, QStringLiteral("Tickora "), {}},
      {{"-reverse", "--version"}, true, 0, QStringLiteral("Tickora "), {}},
      {{"--version", "--help"}, true, 0, usage, {}},
      // Qt's options, with one dash or two, and the values they take.
      {{"-display", ":1"}, false, 0, {}, {}},
      {{"--display", ":1", "-platform", "xcb", "-style", "fusion", "-nograb"}, false, 0, {}, {}},
      {{"-style=fusion", "--stylesheet=a.qss", "-session", "1234"}, false, 0, {}, {}},
      {{"-qwindowtitle", "--not-an-option"}, false, 0, {}, {}},
      {{"--"}, false, 0, {}, {}},
      // Misuse: exit code 2, nothing on standard output.
      {{"--bogus"}, true, 2, {}, QStringLiteral("tickora: unknown option \"--bogus\"")},
      {{"--help", "-x"}, true, 2, {}, QStringLiteral("tickora: unknown option \"-x\"")},
      {{"-display=:1"}, true, 2, {}, QStringLiteral("tickora: unknown option \"-display=:1\"")},
      {{"-display"}, true, 2, {}, QStringLiteral("tickora: option \"-display\" needs a value")},
      {{"clock.conf"}, true, 2, {}, QStringLiteral("tickora: unexpected argument \"clock.conf\"")},
      {{"-"}, true, 2, {}, QStringLiteral("tickora: unexpected argument \"-\"")},
      {{"--", "--help"}, true, 2, {}, QStringLiteral("tickora: unexpected argument \"--help\"")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(u' ').toStdString());
    const CommandLineAnswer answer = AnswerCommandLine(c.arguments);
    EXPECT_EQ(answer.exits, c.exits);
    EXPECT_EQ(answer.exitCode, c.exitCode);
    EXPECT_EQ(answer.settings, c.settings);
    const QStringList out = answer.out.split(u'\n');
    const QStringList err = answer.err.split(u'\n');
    if (c.out.isEmpty())
      EXPECT_TRUE(answer.out.isEmpty()) << answer.out.toStdString();
    else
      EXPECT_TRUE(out.first().startsWith(c.out)) << answer.out.toStdString();
    if (c.err.isEmpty()) {
      EXPECT_TRUE(answer.err.isEmpty()) << answer.err.toStdString();
    } else {
      ASSERT_EQ(err.size(), 3) << answer.err.toStdString();  // two lines, each ended
      EXPECT_EQ(err[0], c.err);
      EXPECT_EQ(err[1], usage);
    }
  }
}

TEST(CommandLine, HelpNamesEveryOwnOptionAndVersionIsOneLine)
{
  const QString help = AnswerCommandLine({QStringLiteral("--help")}).out;
  for (const char* option : {"--help", "--version", "--settings", "-display", "Start at login", "Lock in place", "Hide over full-screen windows", "Tickora.conf"})
    EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Tickora \\d+\\.\\d+\\.\\d+\n$"))
                  .match(AnswerCommandLine({QStringLiteral("--version")}).out)
                  .hasMatch());
}
