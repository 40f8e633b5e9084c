#pragma once
#include <optional>

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "FullScreen/PointerGesture.h"

class QWidget;

// The primary monitor's rectangle in screen pixels: the only monitor the clock keeps itself on. On X11
// it need not start at (0, 0).
QRect PrimaryScreenRect();
// Every monitor's rectangle.
QList<QRect> ScreenRects();

// The platform plugin to ask Qt for: a Wayland client can neither place itself nor stay on top, so
// on a Wayland session the clock runs through XWayland unless the user chose a platform.
QByteArray PlatformToRequest(const QByteArray& qtQpaPlatform, const QByteArray& sessionType,
                             const QByteArray& waylandDisplay);
// Applies PlatformToRequest to this process's environment; call before the application object.
void PreferX11OnWayland();

// Before the application object: the one line to print when the X display the program would use cannot
// be opened (Qt would abort), or an empty string. Only the xcb platform is checked.
QString MissingDisplayMessage(int argc, char** argv);

// Whether the window's native surface carries per-pixel alpha (a 32-bit visual on X11). Creates the
// native window.
bool HasPerPixelAlpha(QWidget& window);

// Hands a drag of the window to the window manager's own move, as a press on a title bar does, with the
// pointer pressed at `pressedAt` in the window (logical pixels). False where no window manager offers
// one (none runs, or it lacks _NET_WM_MOVERESIZE); the program then moves the window itself.
bool StartWindowManagerMove(QWidget& window, QPointF pressedAt);
// The desktop's drag distance and double-click interval, for a clock that moves itself.
PointerGesture::Limits GestureLimits();
// Whether the left button is down now, wherever the pointer is and whoever has grabbed it: a window
// manager's move tells the window nothing, not even its end.
bool LeftButtonHeld();

// Whether the window manager shows the window on the current virtual desktop (or on all); true where
// there are no virtual desktops. A window manager hides the windows of the other desktops, which reads
// like a minimise.
bool OnCurrentDesktop(QWidget& window);

// Asks the window manager for exactly `device` pixels. At a fractional scale Qt asks for a size
// increment of more than one pixel (its one logical pixel), which a window manager that heeds it
// (openbox, xfwm4) would round the window down by, and sizes the window so; Qt asks so again at every
// show, so call it after each. False where there is no X11 or no native window yet to do it on.
bool KeepDeviceSize(QWidget& window, QSize device);

// The window's rectangle in the X screen's own pixels, as the X server has it now; nothing where there
// is no X11 or no native window yet.
std::optional<QRect> NativeGeometry(QWidget& window);
// Puts the created window at `position`, `device` pixels in size, in the X screen's own pixels, with
// the size hints of KeepDeviceSize, in one request. False where there is no X11 to do it.
bool PlaceNative(QWidget& window, QPoint position, QSize device);

// Keeps the window out of taskbars and pagers; call after the native window exists, before showing.
void KeepOffTaskbar(QWidget& window);
// Lists a window type of the clock's own ahead of Qt's; call before showing. Window managers use the
// first type they know and pass over it, while weston takes whatever comes first: a utility window (Qt's
// tool windows) it leaves unmanaged, at a place of its own near the screen's corner.
void ManagedOnWeston(QWidget& window);
// Asks the window manager to show the window on every virtual desktop. Window managers differ in what
// they heed, so call it both before showing (properties read at mapping) and after (a request).
void ShowOnEveryDesktop(QWidget& window);

// Asks the window manager to activate and raise the shown window on the user's behalf, for a request
// the user made through another program (a second start).
void BringToFrontForTheUser(QWidget& window);
