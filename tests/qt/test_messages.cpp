#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include "model/TickoraError.h"
#include "platform/qt/MessageBoxes.h"
#include "platform/qt/WindowSystem.h"
#include "tests/qt/ShellTestSupport.h"

namespace {
class Thrower : public QObject {
public:
  bool event(QEvent* e) override
  {
    if (e->type() == QEvent::User)
      throw TickoraError("Failed to get data for 'Size'");
    if (e->type() == QEvent::User + 1)
      throw std::runtime_error("Out of memory");
    if (e->type() == QEvent::User + 2)
      ++handled;
    return QObject::event(e);
  }
  int handled = 0;
};
}  // namespace

TEST(Messages, AnErrorEscapingAHandlerIsShownAndTheLoopGoesOn)
{
  TickoraApplication& app = EnsureApplication();
  std::vector<std::string> shown;
  app.setErrorReporter([&](const std::string& text) { shown.push_back(text); });
  Thrower thrower;
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::Type(QEvent::User + 1)));
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::Type(QEvent::User + 2)));
  QCoreApplication::processEvents();
  EXPECT_EQ(shown, (std::vector<std::string>{"Failed to get data for 'Size'", "Out of memory."}));
  EXPECT_EQ(thrower.handled, 1);
  app.setErrorReporter(ShowErrorBox);
}

TEST(WindowSystem, WaylandSessionsAskForXcb)
{
  const struct { QByteArray platform, session, waylandDisplay, expected; } cases[] = {
      {"", "wayland", "", "xcb"},
      {"", "x11", "wayland-0", "xcb"},
      {"", "wayland", "wayland-0", "xcb"},
      {"wayland", "wayland", "wayland-0", "wayland"},  // the user's choice stands
      {"offscreen", "", "", "offscreen"},
      {"", "x11", "", ""},
      {"", "", "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PlatformToRequest(c.platform, c.session, c.waylandDisplay), c.expected)
        << c.platform.toStdString() << "/" << c.session.toStdString() << "/" << c.waylandDisplay.toStdString();
}
