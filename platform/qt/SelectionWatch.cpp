#include "platform/qt/SelectionWatch.h"

#include <cstdint>
#include <utility>

#include <QCoreApplication>

#ifdef TICKORA_HAVE_X11
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#endif

#include "platform/qt/X11Display.h"

SelectionWatch::SelectionWatch(const QByteArray& prefix, std::function<void(bool owned)> changed)
    : changed_(std::move(changed))
{
#ifdef TICKORA_HAVE_X11
  Display* display = X11Display();
  int eventBase = 0;
  int errorBase = 0;
  if (!display || !XFixesQueryExtension(display, &eventBase, &errorBase))
    return;
  const QByteArray name = prefix + QByteArray::number(DefaultScreen(display));
  selection_ = XInternAtom(display, name.constData(), False);
  selectionNotify_ = eventBase + XFixesSelectionNotify;
  XFixesSelectSelectionInput(display, DefaultRootWindow(display), selection_,
                             XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                                 XFixesSelectionClientCloseNotifyMask);
  owned_ = XGetSelectionOwner(display, selection_) != 0;
  XFlush(display);
  QCoreApplication::instance()->installNativeEventFilter(this);
#else
  Q_UNUSED(prefix);
#endif
}

SelectionWatch::~SelectionWatch()
{
  if (QCoreApplication::instance())
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool SelectionWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
#ifdef TICKORA_HAVE_X11
  if (selectionNotify_ < 0 || eventType != "xcb_generic_event_t")
    return false;
  // An X event as it comes over the wire; an XFixes SelectionNotify event has this layout.
  struct WireSelectionNotify {
    std::uint8_t responseType, subtype;
    std::uint16_t sequence;
    std::uint32_t window, owner, selection, timestamp, selectionTimestamp;
  };
  const auto* notify = static_cast<const WireSelectionNotify*>(message);
  if ((notify->responseType & 0x7F) != selectionNotify_)
    return false;
  const unsigned long selection = notify->selection;
  const unsigned long owner = notify->owner;
  if (selection != selection_)
    return false;
  const bool owned = owner != 0;
  if (owned != owned_) {
    owned_ = owned;
    if (changed_)
      changed_(owned);
  }
#else
  Q_UNUSED(eventType);
  Q_UNUSED(message);
#endif
  return false;
}
