#include "platform/WindowSystem.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#ifdef TICKORA_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

#include "platform/X11Display.h"

namespace {
constexpr int kArgbDepth = 32;
}

QSize PrimaryScreenSize()
{
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize();
}

QByteArray PlatformToRequest(const QByteArray& qtQpaPlatform, const QByteArray& sessionType,
                             const QByteArray& waylandDisplay)
{
  if (!qtQpaPlatform.isEmpty())
    return qtQpaPlatform;
  if (sessionType == "wayland" || !waylandDisplay.isEmpty())
    return "xcb";
  return {};
}

void PreferX11OnWayland()
{
  const QByteArray platform =
      PlatformToRequest(qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE"), qgetenv("WAYLAND_DISPLAY"));
  if (!platform.isEmpty())
    qputenv("QT_QPA_PLATFORM", platform);
}

bool HasPerPixelAlpha(QWidget& window)
{
  const WId id = window.winId();
#ifdef TICKORA_HAVE_X11
  if (Display* display = X11Display()) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, static_cast<Window>(id), &attributes) != 0 &&
           attributes.depth == kArgbDepth;
  }
#else
  Q_UNUSED(id);
#endif
  // The other window systems composite every top-level window: asking for alpha is getting it.
  return window.windowHandle() && window.windowHandle()->requestedFormat().hasAlpha();
}

void KeepOffTaskbar(QWidget& window)
{
#ifdef TICKORA_HAVE_X11
  Display* display = X11Display();
  if (!display)
    return;
  // Qt keeps the states it finds on an unmapped window when it adds its own.
  const Atom states[] = {XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False),
                         XInternAtom(display, "_NET_WM_STATE_SKIP_PAGER", False)};
  XChangeProperty(display, static_cast<Window>(window.winId()), XInternAtom(display, "_NET_WM_STATE", False),
                  XA_ATOM, 32, PropModeAppend, reinterpret_cast<const unsigned char*>(states), 2);
  XFlush(display);
#else
  Q_UNUSED(window);
#endif
}
