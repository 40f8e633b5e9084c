// A window as a borderless full-screen player makes it: no caption, covering the primary monitor,
// in the foreground. It runs until it is closed or killed. With "starting", a clock still starting
// instead: it holds the clock's one-copy mutex (and says "held"), makes the clock's hidden window three
// seconds later, and ends when that window is asked to close.
#include <cstdio>
#include <cstring>

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
  const bool starting = std::strcmp(commandLine, "starting") == 0;
  if (starting) {
    CreateMutexA(nullptr, FALSE, "Local\\Tickora");
    std::puts("held");
    std::fflush(stdout);
    Sleep(3000);
  }
  WNDCLASSA type = {};
  type.lpfnWndProc = DefWindowProcA;
  type.hInstance = instance;
  type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  type.lpszClassName = starting ? "TForm1" : "TickoraTestFullScreen";
  RegisterClassA(&type);
  HWND window = CreateWindowExA(0, type.lpszClassName, starting ? "Tickora" : "Full screen",
                                starting ? WS_POPUP : WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
  if (!starting)
    SetForegroundWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != WM_CLOSE)
    DispatchMessageA(&message);
  return 0;
}
