#include "platform/qt/X11Display.h"

#ifdef TICKORA_HAVE_X11
#include <QGuiApplication>

Display* X11Display()
{
  auto* app = qGuiApp;
  if (!app)
    return nullptr;
  auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
}
#endif
