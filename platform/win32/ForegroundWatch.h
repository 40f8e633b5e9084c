#pragma once
#include <functional>
#include <optional>
#include <string>

#include <windows.h>

#include "model/PixelGeometry.h"

// What the full-screen rules read of the foreground window.
struct ForegroundWindow {
  HWND handle = nullptr;
  PixelRect rect;       // its outer rectangle
  PixelRect monitor;    // its monitor's whole rectangle, not the work area
  LONG_PTR style = 0;   // GWL_STYLE
  std::string className;
  bool exempt = false;  // the desktop, the shell's own window or the clock itself
};

// Whether the foreground window fills its monitor as a full-screen program does, for one clock window.
// The system tells of another foreground window, and of the foreground window's moves and sizes, by a
// message posted to the clock's window (many events make one message); a look costs little when
// nothing changed, so each tick may take one too. The system's hooks are the thread's, whatever the
// number of clocks: each event is posted to every started watch.
class ForegroundWatch {
public:
  // Whether the system reports a Direct3D exclusive full screen or presentation mode.
  using AskExclusive = std::function<bool()>;
  static bool SystemReportsExclusive();

  explicit ForegroundWatch(AskExclusive ask = SystemReportsExclusive);
  ~ForegroundWatch();
  ForegroundWatch(const ForegroundWatch&) = delete;
  ForegroundWatch& operator=(const ForegroundWatch&) = delete;

  // Joins the thread's hooks (made by the first watch, removed with the last); the events arrive on
  // this thread's message loop, as `message` to `clock`.
  void Start(HWND clock, UINT message);
  // The monitor the foreground window fills while it is full screen, or nothing.
  std::optional<PixelRect> Look();
  // The same for the window given. Full screen: it covers its monitor's whole rectangle, is not
  // exempt nor the shell's, and has no caption or the system reports an exclusive full screen.
  std::optional<PixelRect> Judge(const ForegroundWindow& window);

private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                               DWORD time);
  // Hooks the moves and sizes of `window`'s thread alone, for every watch.
  static void Follow(HWND window);

  struct Asked {
    HWND handle = nullptr;
    PixelRect rect;
    LONG_PTR style = 0;
    bool operator==(const Asked&) const = default;
  };

  AskExclusive ask_;
  HWND clock_ = nullptr;
  UINT message_ = 0;
  bool posted_ = false;  // a message is on its way
  std::optional<Asked> asked_;  // the window the state was last asked for
  bool exclusive_ = false;      // and the answer
};
