#pragma once
#include <QByteArray>
#include <QSize>

class QWidget;

// The primary display's size in pixels: the only display the clock keeps itself on.
QSize PrimaryScreenSize();

// The platform plugin to ask Qt for: a Wayland client can neither place itself nor stay on top, so
// on a Wayland session the clock runs through XWayland unless the user chose a platform.
QByteArray PlatformToRequest(const QByteArray& qtQpaPlatform, const QByteArray& sessionType,
                             const QByteArray& waylandDisplay);
// Applies PlatformToRequest to this process's environment; call before the application object.
void PreferX11OnWayland();

// Whether the window's native surface carries per-pixel alpha (a 32-bit visual on X11). Creates the
// native window.
bool HasPerPixelAlpha(QWidget& window);

// Keeps the window out of taskbars and pagers; call after the native window exists, before showing.
void KeepOffTaskbar(QWidget& window);
