#pragma once
#include <QString>
#include <QStringList>

// The program's own options, answered before anything needs a display or the single-instance lock, so
// that they work from a text console and beside a running clock. Qt's options (-display, -platform,
// -style, ...) pass through to Qt untouched.
struct CommandLineAnswer {
  bool exits = false;  // true: print `out` and `err` and end with `exitCode`; false: start the clock
  int exitCode = 0;
  QString out;  // for standard output
  QString err;  // for standard error
  bool settings = false;  // --settings: show the settings window, of the running clock if there is one
};

// `arguments` without the program's name, as given.
CommandLineAnswer AnswerCommandLine(const QStringList& arguments);

// The arguments of main() without the program's name.
QStringList ProgramArguments(int argc, char** argv);

// "Tickora <version>".
QString VersionText();
