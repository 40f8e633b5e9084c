#pragma once
#include <windows.h>

// Registers a window class of this program once (a second registration of the name fails harmlessly):
// the arrow cursor, `background` painted behind the controls (none: the window paints itself) and the
// class `style`.
inline void RegisterWindowClass(const char* name, WNDPROC procedure, HBRUSH background = nullptr, UINT style = 0)
{
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  RegisterClassExA(&windowClass);
}
