// A window as a borderless full-screen player makes it: no caption, covering the primary monitor,
// in the foreground. It runs until it is closed or killed.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
  WNDCLASSA type = {};
  type.lpfnWndProc = DefWindowProcA;
  type.hInstance = instance;
  type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  type.lpszClassName = "TickoraTestFullScreen";
  RegisterClassA(&type);
  HWND window = CreateWindowExA(0, type.lpszClassName, "Full screen", WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                instance, nullptr);
  SetForegroundWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0)
    DispatchMessageA(&message);
  return 0;
}
