#include <memory>

#include <windows.h>

#include <commctrl.h>
#include <objidl.h>

#include <gdiplus.h>

#include "Clocks/ClockData.h"
#include "model/SettingsStore.h"
#include "model/X87Math.h"
#include "platform/win32/ClockWindow.h"
#include "platform/win32/MessageBoxes.h"
#include "platform/win32/Pictures.h"
#include "platform/win32/RegistrySettingsBackend.h"
#include "platform/win32/SettingsWindow.h"
#include "platform/win32/Screens.h"
#include "platform/win32/SingleInstance.h"

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

}  // namespace

// The program takes no arguments: a GUI program has no console to answer on.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
  UseExtendedPrecision();
  UsePerMonitorDpi();
  // A second copy ends at once, silently, before anything is shown or read.
  SingleInstanceGuard guard;
  if (guard.IsAlreadyRunning())
    return 0;

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  GdiplusSession gdiplus;

  auto data = std::make_unique<ClockData>();
  SettingsStore store(RegistrySettings());
  // Both windows and the tray carry the 16 x 16 program icon.
  HICON icon = CreateProgramIcon(data->pictures);
  int exitCode = 0;
  {
    ClockWindow clockWindow(*data, store, icon, BoxMessages());
    if (clockWindow.created()) {
      SettingsWindow settingsWindow(*data, store, clockWindow.form(), store.firstStart(), icon, BoxMessages());
      RunMessageLoop(settingsWindow.handle());
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
