#include "platform/qt/WindowSystem.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include <QGuiApplication>
#include <QScreen>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

#ifdef TICKORA_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

#include "model/Numbers.h"
#include "platform/qt/X11Display.h"

namespace {
constexpr int kArgbDepth = 32;
}

QRect PrimaryScreenRect()
{
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect();
}

QList<QRect> ScreenRects()
{
  QList<QRect> rects;
  for (const QScreen* screen : QGuiApplication::screens())
    rects.append(screen->geometry());
  return rects;
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

namespace {
// The value of a Qt option given on the command line ("-display :1", "--display=:1"), or a null array.
QByteArray OptionValue(int argc, char** argv, const char* name)
{
  const QByteArray single = QByteArray("-") + name;
  const QByteArray dashed = QByteArray("--") + name;
  for (int i = 1; i < argc; ++i) {
    const QByteArray arg(argv[i]);
    if ((arg == single || arg == dashed) && i + 1 < argc)
      return QByteArray(argv[i + 1]);
    if (arg.startsWith(single + '=') || arg.startsWith(dashed + '='))
      return arg.mid(arg.indexOf('=') + 1);
  }
  return {};
}
}  // namespace

QString MissingDisplayMessage(int argc, char** argv)
{
  QByteArray platform = OptionValue(argc, argv, "platform");
  if (platform.isNull())
    platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && !platform.startsWith("xcb"))
    return {};
  QByteArray display = OptionValue(argc, argv, "display");
  if (display.isNull())
    display = qgetenv("DISPLAY");
  const QString needs = QStringLiteral("Tickora needs an X11 display (XWayland serves): ");
  if (display.isEmpty())
    return needs + QStringLiteral("DISPLAY is not set.");
#ifdef TICKORA_HAVE_X11
  if (Display* probe = XOpenDisplay(display.constData())) {
    XCloseDisplay(probe);
    return {};
  }
  return needs + QStringLiteral("cannot open display \"%1\".").arg(QString::fromLocal8Bit(display));
#else
  return {};
#endif
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

#ifdef TICKORA_HAVE_X11
namespace {
constexpr long kNormalApplication = 1;  // the source a request names: an application, not a pager

// A client message about `window` to the window manager, as the window-manager hints define them.
void AskWindowManager(Display* display, Window window, Atom type, std::initializer_list<long> data)
{
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = window;
  message.xclient.message_type = type;
  message.xclient.format = 32;
  int i = 0;
  for (long value : data)
    message.xclient.data.l[i++] = value;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &message);
}

// Qt keeps the states it finds on an unmapped window when it adds its own.
void AddInitialStates(Display* display, QWidget& window, std::initializer_list<const char*> names)
{
  Atom states[4];
  int count = 0;
  for (const char* name : names)
    states[count++] = XInternAtom(display, name, False);
  XChangeProperty(display, static_cast<Window>(window.winId()), XInternAtom(display, "_NET_WM_STATE", False),
                  XA_ATOM, 32, PropModeAppend, reinterpret_cast<const unsigned char*>(states), count);
}
}  // namespace
#endif

bool StartWindowManagerMove(QWidget& window, QPointF pressedAt)
{
#ifdef TICKORA_HAVE_X11
  Display* display = X11Display();
  if (!display)
    return false;
  const Window root = DefaultRootWindow(display);
  const Atom moveResize = XInternAtom(display, "_NET_WM_MOVERESIZE", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  bool offered = false;
  if (XGetWindowProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), 0, 4096, False, XA_ATOM,
                         &type, &format, &count, &after, &data) == Success &&
      data && format == 32) {
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    offered = std::find(atoms, atoms + count, moveResize) != atoms + count;
  }
  if (data)
    XFree(data);
  if (!offered)
    return false;
  // The press point, not the pointer now: the window follows the pointer from where it was grabbed.
  // X counts in device pixels from the root window's corner.
  const Window id = static_cast<Window>(window.winId());
  const qreal scale = window.devicePixelRatioF();
  int rootX = 0;
  int rootY = 0;
  Window child = None;
  XTranslateCoordinates(display, id, root, Round(pressedAt.x() * scale), Round(pressedAt.y() * scale),
                        &rootX, &rootY, &child);
  constexpr long kMove = 8;
  XUngrabPointer(display, CurrentTime);
  AskWindowManager(display, id, moveResize, {rootX, rootY, kMove, Button1, kNormalApplication});
  XFlush(display);
  return true;
#else
  QWindow* handle = window.windowHandle();
  Q_UNUSED(pressedAt);
  return handle && handle->startSystemMove();
#endif
}

PointerGesture::Limits GestureLimits()
{
  const QStyleHints& hints = *QGuiApplication::styleHints();
  return {hints.startDragDistance(), hints.mouseDoubleClickInterval()};
}

bool LeftButtonHeld()
{
#ifdef TICKORA_HAVE_X11
  if (Display* display = X11Display()) {
    Window root = None;
    Window child = None;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    return XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask) &&
           (mask & Button1Mask) != 0;
  }
#endif
  return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
}

#ifdef TICKORA_HAVE_X11
namespace {
// The first CARDINAL of a window property, or nothing.
std::optional<unsigned long> CardinalProperty(Display* display, Window window, const char* name)
{
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::optional<unsigned long> value;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1, False, XA_CARDINAL, &type,
                         &format, &count, &after, &data) == Success &&
      data && format == 32 && count == 1)
    value = *reinterpret_cast<const unsigned long*>(data) & 0xFFFFFFFFUL;
  if (data)
    XFree(data);
  return value;
}
}  // namespace
#endif

bool OnCurrentDesktop(QWidget& window)
{
#ifdef TICKORA_HAVE_X11
  Display* display = X11Display();
  if (!display || !window.internalWinId())
    return true;
  const auto current = CardinalProperty(display, DefaultRootWindow(display), "_NET_CURRENT_DESKTOP");
  const auto own = CardinalProperty(display, static_cast<Window>(window.internalWinId()), "_NET_WM_DESKTOP");
  return !current || !own || *own == 0xFFFFFFFFUL || *own == *current;
#else
  Q_UNUSED(window);
  return true;
#endif
}

namespace {
#ifdef TICKORA_HAVE_X11
// The window's id once it exists, with size hints asking for exactly `device` pixels set on it.
std::optional<Window> SetDeviceSizeHints(QWidget& window, QSize device)
{
  Display* display = X11Display();
  if (!display || !window.testAttribute(Qt::WA_WState_Created))
    return std::nullopt;
  const Window id = static_cast<Window>(window.winId());
  XSizeHints* hints = XAllocSizeHints();
  if (!hints)
    return std::nullopt;
  long supplied = 0;
  XGetWMNormalHints(display, id, hints, &supplied);
  hints->flags &= ~(PResizeInc | PBaseSize);
  hints->flags |= PMinSize | PMaxSize;
  hints->min_width = hints->max_width = device.width();
  hints->min_height = hints->max_height = device.height();
  XSetWMNormalHints(display, id, hints);
  XFree(hints);
  return id;
}
#endif
}  // namespace

bool KeepDeviceSize(QWidget& window, QSize device)
{
#ifdef TICKORA_HAVE_X11
  const std::optional<Window> id = SetDeviceSizeHints(window, device);
  if (!id)
    return false;
  Display* display = X11Display();
  XResizeWindow(display, *id, static_cast<unsigned>(device.width()), static_cast<unsigned>(device.height()));
  XFlush(display);
  return true;
#else
  Q_UNUSED(window);
  Q_UNUSED(device);
  return false;
#endif
}

std::optional<QRect> NativeGeometry(QWidget& window)
{
#ifdef TICKORA_HAVE_X11
  Display* display = X11Display();
  if (!display || !window.testAttribute(Qt::WA_WState_Created))
    return std::nullopt;
  const Window id = static_cast<Window>(window.winId());
  Window root = None;
  Window child = None;
  int x = 0, y = 0;
  unsigned int width = 0, height = 0, border = 0, depth = 0;
  if (!XGetGeometry(display, id, &root, &x, &y, &width, &height, &border, &depth) ||
      !XTranslateCoordinates(display, id, root, 0, 0, &x, &y, &child))
    return std::nullopt;
  return QRect(x, y, static_cast<int>(width), static_cast<int>(height));
#else
  Q_UNUSED(window);
  return std::nullopt;
#endif
}

bool PlaceNative(QWidget& window, QPoint position, QSize device)
{
#ifdef TICKORA_HAVE_X11
  const std::optional<Window> id = SetDeviceSizeHints(window, device);
  if (!id)
    return false;
  Display* display = X11Display();
  XMoveResizeWindow(display, *id, position.x(), position.y(), static_cast<unsigned>(device.width()),
                    static_cast<unsigned>(device.height()));
  XFlush(display);
  return true;
#else
  Q_UNUSED(window);
  Q_UNUSED(position);
  Q_UNUSED(device);
  return false;
#endif
}

void KeepOffTaskbar(QWidget& window)
{
#ifdef TICKORA_HAVE_X11
  if (Display* display = X11Display()) {
    AddInitialStates(display, window, {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
    XFlush(display);
  }
#else
  Q_UNUSED(window);
#endif
}

void ManagedOnWeston(QWidget& window)
{
#ifdef TICKORA_HAVE_X11
  Display* display = X11Display();
  if (!display)
    return;
  const Window id = static_cast<Window>(window.winId());
  const Atom types = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
  const Atom own = XInternAtom(display, "_TICKORA_NET_WM_WINDOW_TYPE_CLOCK", False);
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool listed = false;
  if (XGetWindowProperty(display, id, types, 0, 1, False, XA_ATOM, &actualType, &format, &count, &after, &data) ==
          Success &&
      data && format == 32 && count == 1)
    listed = *reinterpret_cast<const Atom*>(data) == own;
  if (data)
    XFree(data);
  // Once only: the window is shown again after each full-screen window.
  if (!listed) {
    XChangeProperty(display, id, types, XA_ATOM, 32, PropModePrepend, reinterpret_cast<const unsigned char*>(&own),
                    1);
    XFlush(display);
  }
#else
  Q_UNUSED(window);
#endif
}

void ShowOnEveryDesktop(QWidget& window)
{
#ifdef TICKORA_HAVE_X11
  Display* display = X11Display();
  if (!display)
    return;
  const Window id = static_cast<Window>(window.winId());
  const Atom desktop = XInternAtom(display, "_NET_WM_DESKTOP", False);
  const long everyDesktop = 0xFFFFFFFFL;
  if (!window.isVisible()) {
    // Read by the window manager when it maps the window (xfwm4 heeds only the sticky state).
    XChangeProperty(display, id, desktop, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&everyDesktop), 1);
    AddInitialStates(display, window, {"_NET_WM_STATE_STICKY"});
  } else {
    // Once mapped, a request: kwin takes only this for a window it manages.
    AskWindowManager(display, id, desktop, {everyDesktop, kNormalApplication});
  }
  XFlush(display);
#else
  Q_UNUSED(window);
#endif
}

void BringToFrontForTheUser(QWidget& window)
{
#ifdef TICKORA_HAVE_X11
  Display* display = X11Display();
  if (!display || !window.isVisible())
    return;
  // The request of a program the user has just started (a second start, a desktop entry's action):
  // asked as a pager asks, on the user's behalf, since the clock itself saw no input from the user and
  // a window manager that prevents focus stealing would leave the window behind the others.
  constexpr long kUsersOwnRequest = 2;
  AskWindowManager(display, static_cast<Window>(window.winId()), XInternAtom(display, "_NET_ACTIVE_WINDOW", False),
                   {kUsersOwnRequest, CurrentTime, 0});
  XFlush(display);
#else
  Q_UNUSED(window);
#endif
}
