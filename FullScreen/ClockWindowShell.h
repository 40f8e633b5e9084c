#pragma once
#include <functional>
#include <vector>

#include "FullScreen/FrameComposer.h"
#include "model/PixelGeometry.h"
#include "raster/DeviceImage.h"

// What the clock window asks of the window system it runs on. Each shell carries these out and
// reports back what happens (TForm1::WindowMoved, the timer, the drag, the pointer coming onto the
// clock and leaving it, a change of the monitors: TForm1::Wake).
//
// Three kinds of pixels: logical ones (the clock's diameter D, the settings window), device ones (a
// frame: Round(D x scale) of them on a monitor at that scale) and the desktop's, in which every place
// is given (the window's corner, the monitors, the pointer, the stored Left and Top). The desktop
// counts logical pixels under Qt and device pixels on Windows (the virtual screen as a
// per-monitor-aware program sees it): `PlacesInDevicePixels` tells which.
class ClockWindowShell {
public:
  virtual ~ClockWindowShell() = default;

  // The primary monitor, read afresh (the resolution may change while the clock runs), and every
  // monitor, in the desktop's pixels.
  virtual PixelRect PrimaryScreen() const = 0;
  virtual std::vector<PixelRect> Screens() const = 0;
  virtual TimeOfDay LocalTime() const = 0;
  // The pointer, asked only while it is over the clock; a point off the window where there is none to
  // read.
  virtual PixelPoint CursorPos() const = 0;
  // Device pixels per logical pixel on the monitor the window is on, the one that holds its centre
  // (1 on a monitor at 100 %): frames are drawn at this density.
  virtual long double DeviceScale() const = 0;
  // The same for the monitor that holds `point` (or the nearest one).
  virtual long double ScaleAt(PixelPoint) const { return DeviceScale(); }
  // Whether the desktop's pixels are device pixels (Windows) rather than logical ones (Qt).
  virtual bool PlacesInDevicePixels() const { return false; }

  // The window's client width and height, in logical pixels.
  virtual void Resize(PixelSize size) = 0;
  // Asks for the window's top-left corner there. The window system may refuse or alter the move,
  // and may report it later; the clock trusts only the report.
  virtual void MoveTo(PixelPoint position) = 0;
  // Puts `frame` (device pixels) on screen at the window's place: only `changed` differs from the
  // frame before, unless `resized` (the window was just given the frame's logical size). `clicks` are
  // the pixels that take the mouse, changed only within `clicksChanged`: a window system that takes
  // the mouse by a shape of its own gets it with this frame. False when nothing could be shown.
  virtual bool Present(const DeviceImage& frame, PixelRect changed, bool resized, const ClickMask& clicks,
                       PixelRect clicksChanged) = 0;
  // Whether every click goes through the window to the one below, on every pixel (a locked clock),
  // rather than through its transparent pixels only.
  virtual void SetClickThrough(bool through) = 0;
  // Hides the window or shows it again, without taking the keyboard focus, kept above as before.
  virtual void SetHidden(bool hidden) = 0;
  // Runs the timer at this interval from now on (it starts at creation), its ticks spaced by
  // DelayToNextTick.
  virtual void SetTimerInterval(int milliseconds) = 0;
  // Runs `task` once the event loop runs again, while the window lives.
  virtual void Later(std::function<void()> task) = 0;
};
