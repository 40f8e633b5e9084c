#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include <QString>

#include "model/PixelGeometry.h"

class FullScreenWatch;
class SelectionWatch;
class WallClockWatch;

// What the process watches for its clock windows, once however many clocks it shows: the wall clock
// (a jump, a new zone), the active window while it is full screen, and whether a compositing manager
// runs (both X11). Each watch costs descriptors and event filters: the first listener that wants one
// makes it, and the watches go with the last listener. Every listener hears every change until it
// goes.
class ClockWatches : public std::enable_shared_from_this<ClockWatches> {
public:
  // A report left empty is not wanted.
  struct Reports {
    std::function<void()> wallClockJumped = {};
    std::function<void(std::optional<PixelRect> covered)> fullScreenChanged = {};
    std::function<void(bool running)> compositingChanged = {};
  };

  // A clock window's hold on the watches, for as long as it lives.
  class Listener {
  public:
    explicit Listener(Reports reports, std::shared_ptr<ClockWatches> watches = Shared());
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // The state as it is, for a window that comes after the last change: whether a compositing
    // manager runs (true without X11), and the monitors a full-screen active window covers.
    bool compositing() const;
    std::optional<PixelRect> fullScreen() const;

  private:
    std::shared_ptr<ClockWatches> watches_;
  };

  // The process's watches: those its live windows hold, or new ones.
  static std::shared_ptr<ClockWatches> Shared();

  explicit ClockWatches(QString zoneFile = QStringLiteral("/etc/localtime"));
  ~ClockWatches();
  ClockWatches(const ClockWatches&) = delete;
  ClockWatches& operator=(const ClockWatches&) = delete;

private:
  void Join(const Listener& listener, Reports reports);
  void Leave(const Listener& listener);
  template <typename Report, typename... Args>
  void Tell(std::function<Report> Reports::*report, Args... args);

  QString zoneFile_;
  std::map<const Listener*, Reports> listeners_;
  std::unique_ptr<WallClockWatch> wallClock_;
  std::unique_ptr<FullScreenWatch> fullScreen_;
  std::unique_ptr<SelectionWatch> compositor_;
};
