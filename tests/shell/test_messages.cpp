#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include "model/TickoraError.h"
#include "platform/ErrorReporting.h"
#include "platform/WindowSystem.h"
#include "ShellTestSupport.h"

TEST(Messages, FullStopRuleForErrorBoxes)
{
  const struct { std::string message; QString text; } cases[] = {
      {"Failed to get data for 'Size'", "Failed to get data for 'Size'"},  // ' sorts before .
      {"Index of the scanning line exceeded the range. (300)", "Index of the scanning line exceeded the range. (300)"},
      {"Disk full", "Disk full."},
      {"Ends in a digit 7", "Ends in a digit 7."},
      {"Already ends.", "Already ends."},
      {"Path /", "Path /."},          // '/' sorts right after '.'
      {"Dash -", "Dash -"},           // '-' sorts right before '.'
      {"Question?", "Question?."},    // '?' sorts after '.', so a question gets a full stop too
      {"", ""},
      {"Ende \xc3\xbc", "Ende \xc3\xbc."},  // bytes above 127 sort after '.'
  };
  for (const auto& c : cases)
    EXPECT_EQ(ErrorText(c.message), c.text) << c.message;
}

TEST(Messages, SystemMessageTextLosesTrailingBlanksControlsAndFullStops)
{
  const struct { QString in, out; } cases[] = {
      {"The parameter is incorrect.\r\n", "The parameter is incorrect"},
      {"Access is denied. . \t", "Access is denied"},
      {"No dot", "No dot"},
      {"...", ""},
      {"v1.2 is here", "v1.2 is here"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SystemMessageText(c.in), c.out) << c.in.toStdString();
}

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
  QStringList shown;
  app.setErrorReporter([&](const QString& text) { shown.append(text); });
  Thrower thrower;
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::Type(QEvent::User + 1)));
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::Type(QEvent::User + 2)));
  QCoreApplication::processEvents();
  EXPECT_EQ(shown, (QStringList{"Failed to get data for 'Size'", "Out of memory."}));
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
