#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>

#include <windows.h>

#include <commctrl.h>
#include <objidl.h>

#include <gdiplus.h>

#include "Clocks/ClockData.h"
#include "FullScreen/ClockSet.h"
#include "model/SettingsStore.h"
#include "model/X87Math.h"
#include "platform/win32/ClockWindow.h"
#include "platform/win32/MessageBoxes.h"
#include "platform/win32/Pictures.h"
#include "platform/win32/RegistrySettingsBackend.h"
#include "platform/win32/SettingsWindow.h"
#include "platform/win32/Screens.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/TickTimer.h"
#include "platform/win32/WindowsTimeZones.h"

namespace {

// GDI+ runs from before the first window until after the last; the drawing layer's own start on first
// use then only adds to it.
class GdiplusSession {
public:
  GdiplusSession()
  {
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, nothing suppressed
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok)
      token_ = 0;
  }
  ~GdiplusSession()
  {
    if (token_)
      Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
  ULONG_PTR token_ = 0;
};

void RunMessageLoop(HWND dialog)
{
  MSG message;
  // GetMessage gives -1 on a failure of its own; that ends the loop as WM_QUIT does.
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // The settings window's keys (Tab, arrows, Space, Escape) work as in a dialog.
    if (dialog && IsDialogMessageA(dialog, &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Whether the command line holds "--settings" among its words; the program takes no other argument.
bool AsksForSettings(const char* commandLine)
{
  std::string_view rest = commandLine ? commandLine : "";
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find(' '), rest.size());
    if (rest.substr(0, end) == "--settings")
      return true;
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return false;
}

}  // namespace

// "--settings" shows the settings window, of the running clock if there is one; a GUI program has no
// console to answer other arguments on.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
  UseExtendedPrecision();
  UsePerMonitorDpi();
  // A second copy asks the running one to show its settings and ends, before anything is shown, read
  // or written.
  SingleInstanceGuard guard;
  if (guard.IsAlreadyRunning()) {
    AskRunningCopy();
    return 0;
  }

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  GdiplusSession gdiplus;

  SettingsStore store(RegistrySettings());
  HICON icon = nullptr;
  {
    PictureCache pictures;
    // Every window and the tray carry the 16 x 16 program icon.
    icon = CreateProgramIcon(pictures);
  }
  int exitCode = 0;
  {
    TickTimer ticks;
    const WindowsTimeZones zones;
    // A second start reaches the settings window through whichever clock's window it finds.
    std::function<void()> showSettings;
    ClockWindow* firstWindow = nullptr;
    const auto openWindow = [&](ClockData& data, ClockCompany& company) -> std::unique_ptr<ClockHost> {
      auto window = std::make_unique<ClockWindow>(data, store, icon, BoxMessages(), DefaultClockMove(), &company);
      window->SetSecondStartHandler([&showSettings] {
        if (showSettings)
          showSettings();
      });
      if (!firstWindow)
        firstWindow = window.get();
      return std::make_unique<ClockHostOf<ClockWindow>>(std::move(window));
    };
    ClockSet clocks(store, ticks.schedule(), &zones, openWindow, ClockSetLater(ticks), BoxMessages());
    clocks.Start();
    if (firstWindow && firstWindow->created()) {
      SettingsWindow settingsWindow(*clocks.DataOf(clocks.first()), store, clocks.first(), store.firstStart(), icon,
                                    BoxMessages());
      settingsWindow.form().AttachClocks(clocks);
      showSettings = [&settingsWindow] { settingsWindow.form().SecondStart(); };
      if (AsksForSettings(commandLine))
        settingsWindow.form().SecondStart();
      RunMessageLoop(settingsWindow.handle());
      showSettings = nullptr;
    } else {
      // No desktop to show the clock on.
      ShowErrorBox(SystemMessageText(GetLastError()));
      exitCode = 1;
    }
  }  // the tray icon goes with the settings window
  if (icon)
    DestroyIcon(icon);
  return exitCode;
}
