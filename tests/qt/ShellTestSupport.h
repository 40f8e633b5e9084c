#pragma once
#include <QApplication>

#include "platform/qt/TickoraApplication.h"

// One application object for the whole test program, the program's own, made on first use.
inline TickoraApplication& EnsureApplication()
{
  static int argc = 1;
  static char name[] = "test_shell";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance())
    new TickoraApplication(argc, argv);
  return *static_cast<TickoraApplication*>(QApplication::instance());
}
