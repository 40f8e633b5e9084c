#include "platform/qt/FullScreenWatch.h"

#include <cstdint>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#ifdef TICKORA_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

#include "platform/qt/X11Display.h"

namespace {
#ifdef TICKORA_HAVE_X11
constexpr std::uint8_t kPropertyNotify = 28;
constexpr std::uint8_t kConfigureNotify = 22;
constexpr std::uint8_t kDestroyNotify = 17;
constexpr long kWatchedEvents = PropertyChangeMask | StructureNotifyMask;

// The atoms of a window's property of type `type`; empty when it has none.
std::vector<unsigned long> ReadProperty(Display* display, Window window, Atom property, Atom type)
{
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> values;
  if (XGetWindowProperty(display, window, property, 0, 64, False, type, &actualType, &format, &count, &after,
                         &data) == Success &&
      data && format == 32) {
    const auto* items = reinterpret_cast<const unsigned long*>(data);
    values.assign(items, items + count);
  }
  if (data)
    XFree(data);
  return values;
}
#endif
}  // namespace

FullScreenWatch::FullScreenWatch(Report changed) : changed_(std::move(changed))
{
#ifdef TICKORA_HAVE_X11
  Display* display = X11Display();
  if (!display)
    return;
  usable_ = true;
  root_ = DefaultRootWindow(display);
  activeAtom_ = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  stateAtom_ = XInternAtom(display, "_NET_WM_STATE", False);
  fullScreenAtom_ = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  // Added to what Qt listens to on the root, not put in its place.
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, root_, &attributes);
  XSelectInput(display, root_, attributes.your_event_mask | PropertyChangeMask);
  QCoreApplication::instance()->installNativeEventFilter(this);
  Check();
#endif
}

FullScreenWatch::~FullScreenWatch()
{
  if (QCoreApplication::instance())
    QCoreApplication::instance()->removeNativeEventFilter(this);
  Watch(0);
}

bool FullScreenWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
#ifdef TICKORA_HAVE_X11
  if (!usable_ || eventType != "xcb_generic_event_t")
    return false;
  // The events as they come over the wire.
  struct WireProperty {
    std::uint8_t responseType, pad;
    std::uint16_t sequence;
    std::uint32_t window, atom;
  };
  struct WireConfigure {
    std::uint8_t responseType, pad;
    std::uint16_t sequence;
    std::uint32_t event, window;
  };
  const auto type = static_cast<std::uint8_t>(static_cast<const WireProperty*>(message)->responseType & 0x7F);
  if (type == kPropertyNotify) {
    const auto* property = static_cast<const WireProperty*>(message);
    if ((property->window == root_ && property->atom == activeAtom_) ||
        (watched_ && property->window == watched_ && property->atom == stateAtom_))
      Check();
  } else if ((type == kConfigureNotify || type == kDestroyNotify) && watched_ &&
             static_cast<const WireConfigure*>(message)->window == watched_) {
    // A window that is gone is not listened to any more; its number may come back as another's.
    if (type == kDestroyNotify)
      watched_ = 0;
    Check();
  }
#else
  Q_UNUSED(eventType);
  Q_UNUSED(message);
#endif
  return false;
}

void FullScreenWatch::Watch(unsigned long window)
{
#ifdef TICKORA_HAVE_X11
  Display* display = X11Display();
  if (!display || window == watched_)
    return;
  // Our own windows keep what Qt listens to on them.
  if (watched_)
    XSelectInput(display, watched_, watchedMask_);
  // A window already gone (its number named as active a moment late) is not watched: the number may
  // come back as another window's.
  XWindowAttributes attributes{};
  watched_ = window && XGetWindowAttributes(display, window, &attributes) ? window : 0;
  if (watched_) {
    watchedMask_ = attributes.your_event_mask;
    XSelectInput(display, watched_, watchedMask_ | kWatchedEvents);
  }
  XFlush(display);
#else
  Q_UNUSED(window);
#endif
}

void FullScreenWatch::Check()
{
#ifdef TICKORA_HAVE_X11
  Display* display = X11Display();
  const std::vector<unsigned long> active = ReadProperty(display, root_, activeAtom_, XA_WINDOW);
  const Window window = active.empty() ? 0 : active.front();
  // A window that is gone between the notice and now raises an X error Qt only logs; it reads as none.
  Watch(window);
  std::optional<PixelRect> covered;
  bool fullScreen = false;
  if (window) {
    for (unsigned long state : ReadProperty(display, window, stateAtom_, XA_ATOM))
      fullScreen |= state == fullScreenAtom_;
  }
  Window root = 0, child = 0;
  int x = 0, y = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  if (fullScreen && XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth) &&
      XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child)) {
    // Qt keeps each monitor's top-left corner in its own coordinates and divides only the size,
    // rounded: the window is measured the same way, since the rounded size scaled back may be a pixel
    // larger than the monitor (1024 pixels at 1.5 are 683 logical ones, and those 1024.5 pixels).
    const QSize size(static_cast<int>(width), static_cast<int>(height));
    QRect monitors;
    for (const QScreen* screen : QGuiApplication::screens()) {
      const QRect logical = screen->geometry();
      const QRect area(QPoint(x, y), (QSizeF(size) / screen->devicePixelRatio()).toSize());
      if (area.contains(logical))
        monitors |= logical;
    }
    if (!monitors.isEmpty())
      covered = PixelRect{monitors.x(), monitors.y(), monitors.width(), monitors.height()};
  }
  if (covered != covered_) {
    covered_ = covered;
    if (changed_)
      changed_(covered);
  }
#endif
}
