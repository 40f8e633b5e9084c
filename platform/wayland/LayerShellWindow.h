#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <utility>

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include "FullScreen/ClockCompany.h"
#include "FullScreen/PointerGesture.h"
#include "FullScreen/TForm1.h"
#include "platform/qt/ClockWatches.h"
#include "platform/qt/TickTimer.h"

struct wl_buffer;
struct wl_callback;
struct wl_cursor_theme;
struct wl_pointer;
struct wl_surface;
struct wp_fractional_scale_v1;
struct wp_viewport;
struct zwlr_layer_surface_v1;
struct zwp_relative_pointer_v1;
struct WaylandSession;
struct WaylandOutput;

// The connection to a Wayland compositor that offers the wlr layer shell, shared by every clock's
// surface, its events read as Qt's event loop runs.
class LayerShellDisplay : public QObject {
public:
  // The session's compositor when it offers the layer shell and TICKORA_CLOCK_WINDOW does not ask
  // for x11; null otherwise, for the clocks to run through XWayland.
  static std::unique_ptr<LayerShellDisplay> Open();
  ~LayerShellDisplay() override;
  WaylandSession& session() { return *session_; }

private:
  explicit LayerShellDisplay(std::unique_ptr<WaylandSession> session);
  // The compositor went away: the program ends with code 1.
  void Lost();

  std::unique_ptr<WaylandSession> session_;
  QSocketNotifier notifier_;
};

// The clock window as a native Wayland layer surface, where the compositor offers the wlr layer shell
// (KDE Plasma, sway, labwc, wayfire): on the top layer of the output that holds its centre, above
// normal windows and under full-screen ones, on every workspace, anchored to the output's top-left
// corner with its place as the margins. Clicks pass through every pixel the frame leaves transparent,
// to Wayland and X11 windows alike, and the clock drags itself by its drawn pixels. Qt stays on
// XWayland for the settings window, the tray and the boxes, which need to be placed and raised.
class LayerShellWindow : public QObject, public ClockWindowShell {
public:
  // Runs the creation handler and maps the surface on `display`'s compositor.
  LayerShellWindow(LayerShellDisplay& display, ClockData& data, SettingsStore& store, UserMessages messages,
                   ClockCompany* company = nullptr);
  ~LayerShellWindow() override;

  TForm1& form() { return form_; }

  PixelRect PrimaryScreen() const override;
  std::vector<PixelRect> Screens() const override;
  TimeOfDay LocalTime() const override;
  PixelPoint CursorPos() const override;
  long double DeviceScale() const override;
  long double ScaleAt(PixelPoint point) const override;
  void Resize(PixelSize size) override;
  void MoveTo(PixelPoint position) override;
  bool Present(const DeviceImage& frame, PixelRect changed, bool resized, const ClickMask& clicks,
               PixelRect clicksChanged) override;
  void SetClickThrough(bool through) override;
  void SetHidden(bool hidden) override;
  void SetTimerInterval(int milliseconds) override;
  void Later(std::function<void()> task) override;

private:
  friend struct LayerShellEvents;
  struct Buffer {
    wl_buffer* buffer = nullptr;
    std::uint32_t* pixels = nullptr;
    bool busy = false;
    PixelRect stale;  // what this buffer misses of the frame
  };

  WaylandOutput* OutputOfCentre(PixelPoint origin) const;
  void CreateSurface();
  void DestroySurface();
  void SetMargins();
  // Sends what changed (pixels, input region, place) in one commit once the surface is configured.
  void Commit();
  void SetInputRegion();
  void CreateBuffers(PixelSize size);
  void DestroyBuffers();
  // The compositor reports the pointer relative to where it last placed the surface: a move is known
  // to have taken effect once a sync sent after it comes back.
  void SyncOrigin();
  PixelPoint PointerGlobal() const;
  // Moves a dragged clock with the pointer.
  void Follow();
  void DestroyPointer();
  void SetCursor(std::uint32_t serial);
  // The window goes there, as the user drags it.
  void MoveOrigin(PixelPoint place);
  void KeepBeside(QWidget& menu) const;

  // Reports from the compositor.
  void Configured(std::uint32_t serial);
  void Closed();
  void OutputsChanged(WaylandOutput* gone);
  void PointerEnter(wl_surface* surface, std::uint32_t serial, double x, double y);
  void PointerLeave(wl_surface* surface);
  void PointerMotion(double x, double y);
  void RelativeMotion(double dx, double dy);
  void PointerButton(std::uint32_t time, std::uint32_t button, bool pressed);
  void SeatCapabilities(bool pointer);

  WaylandSession* session_;
  TForm1 form_;
  PointerGesture gesture_{form_};
  std::unique_ptr<TickTimer> ownTimer_;  // a clock alone's
  ScheduledTicks ticks_;
  // The full-screen window and the compositor are the compositor's business here.
  ClockWatches::Listener watches_{{.wallClockJumped = [this] { form_.Wake(); }}};

  wl_surface* surface_ = nullptr;
  zwlr_layer_surface_v1* layer_ = nullptr;
  wp_viewport* viewport_ = nullptr;
  wp_fractional_scale_v1* fractionalScale_ = nullptr;
  WaylandOutput* layerOutput_ = nullptr;
  std::uint32_t preferredScale_ = 0;  // in 120ths, from the compositor
  bool configured_ = false;
  bool hidden_ = false;
  bool clickThrough_ = false;
  bool regionChanged_ = false;
  bool placeChanged_ = false;
  PixelSize size_;      // logical
  PixelPoint origin_;   // the surface's place, asked for
  PixelPoint eventOrigin_;  // the place the compositor's pointer events are relative to
  std::deque<std::pair<wl_callback*, PixelPoint>> syncs_;
  PixelRect damage_;    // device pixels not yet sent
  Buffer buffers_[2];
  PixelSize bufferSize_;
  std::size_t mappedBytes_ = 0;
  void* mapped_ = nullptr;

  wl_pointer* pointer_ = nullptr;
  zwp_relative_pointer_v1* relativePointer_ = nullptr;
  wl_surface* cursorSurface_ = nullptr;
  wl_cursor_theme* cursorTheme_ = nullptr;
  int cursorScale_ = 0;
  bool pointerOver_ = false;
  double pointerX_ = 0;  // surface-local, logical
  double pointerY_ = 0;
  // The pointer's motion since the press, where the compositor reports it (relative pointer).
  bool relativeSeen_ = false;
  double relativeX_ = 0;
  double relativeY_ = 0;
  PixelPoint followedAt_;  // the pointer at the last press or motion, desktop
};
