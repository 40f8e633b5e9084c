#pragma once
#include <functional>
#include <string>

#include <QApplication>

// The application object: an error that escapes an event handler ends that handler, is shown to the
// user, and the event loop goes on.
class TickoraApplication : public QApplication {
public:
  TickoraApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
  // Takes the box text; the "Tickora" error box unless replaced.
  void setErrorReporter(std::function<void(const std::string&)> reporter) { reporter_ = std::move(reporter); }

private:
  std::function<void(const std::string&)> reporter_;
};
