#include "platform/wayland/LayerShellWindow.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTime>

#include <wayland-client.h>
#include <wayland-cursor.h>

#include "fractional-scale-v1-client.h"
#include "layer-shell-client.h"
#include "relative-pointer-unstable-v1-client.h"
#include "viewporter-client.h"
#include "xdg-output-unstable-v1-client.h"
#include "model/Numbers.h"
#include "platform/qt/WindowSystem.h"
#include "platform/wayland/InputRegion.h"
#include "platform/wayland/WaylandSession.h"

namespace {
constexpr std::uint32_t kLeftButton = 0x110;   // BTN_LEFT
constexpr std::uint32_t kRightButton = 0x111;  // BTN_RIGHT
constexpr int kDefaultCursorSize = 24;

PixelRect United(PixelRect a, PixelRect b)
{
  if (a.width <= 0 || a.height <= 0)
    return b;
  if (b.width <= 0 || b.height <= 0)
    return a;
  const int left = std::min(a.x, b.x);
  const int top = std::min(a.y, b.y);
  const int right = std::max(a.x + a.width, b.x + b.width);
  const int bottom = std::max(a.y + a.height, b.y + b.height);
  return {left, top, right - left, bottom - top};
}

// Destroys a Wayland object held, if any, and forgets it.
template <typename T>
void Release(T*& object, void (*destroy)(T*))
{
  if (object)
    destroy(object);
  object = nullptr;
}

bool IsEmpty(PixelRect r) { return r.width <= 0 || r.height <= 0; }

}  // namespace

// The listeners: C callbacks that hand each event to its object.
struct LayerShellEvents {
  static const zwlr_layer_surface_v1_listener layer;
  static const wp_fractional_scale_v1_listener fractional;
  static const wl_buffer_listener buffer;
  static const wl_callback_listener sync;
  static const wl_pointer_listener pointer;
  static const zwp_relative_pointer_v1_listener relative;

  static LayerShellWindow* Window(void* data) { return static_cast<LayerShellWindow*>(data); }
};

const zwlr_layer_surface_v1_listener LayerShellEvents::layer = {
    [](void* data, zwlr_layer_surface_v1*, std::uint32_t serial, std::uint32_t, std::uint32_t) {
      Window(data)->Configured(serial);
    },
    [](void* data, zwlr_layer_surface_v1*) { Window(data)->Closed(); },
};

const wp_fractional_scale_v1_listener LayerShellEvents::fractional = {
    [](void* data, wp_fractional_scale_v1*, std::uint32_t scale) {
      LayerShellWindow& w = *Window(data);
      if (std::exchange(w.preferredScale_, scale) != scale)
        w.form_.Wake();
    },
};

const wl_buffer_listener LayerShellEvents::buffer = {
    [](void* data, wl_buffer* released) {
      LayerShellWindow& w = *Window(data);
      for (auto& b : w.buffers_)
        if (b.buffer == released)
          b.busy = false;
      // A frame that found both buffers with the compositor goes now.
      if (!IsEmpty(w.damage_))
        w.Commit();
    },
};

const wl_callback_listener LayerShellEvents::sync = {
    [](void* data, wl_callback* callback, std::uint32_t) {
      LayerShellWindow& w = *Window(data);
      while (!w.syncs_.empty()) {
        const auto [pending, origin] = w.syncs_.front();
        w.syncs_.pop_front();
        wl_callback_destroy(pending);
        w.eventOrigin_ = origin;
        if (pending == callback)
          break;
      }
    },
};

const zwp_relative_pointer_v1_listener LayerShellEvents::relative = {
    [](void* data, zwp_relative_pointer_v1*, std::uint32_t, std::uint32_t, wl_fixed_t dx, wl_fixed_t dy, wl_fixed_t,
       wl_fixed_t) { Window(data)->RelativeMotion(wl_fixed_to_double(dx), wl_fixed_to_double(dy)); },
};

const wl_pointer_listener LayerShellEvents::pointer = {
    [](void* data, wl_pointer*, std::uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
      Window(data)->PointerEnter(surface, serial, wl_fixed_to_double(x), wl_fixed_to_double(y));
    },
    [](void* data, wl_pointer*, std::uint32_t, wl_surface* surface) { Window(data)->PointerLeave(surface); },
    [](void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
      Window(data)->PointerMotion(wl_fixed_to_double(x), wl_fixed_to_double(y));
    },
    [](void* data, wl_pointer*, std::uint32_t, std::uint32_t time, std::uint32_t button, std::uint32_t state) {
      Window(data)->PointerButton(time, button, state == WL_POINTER_BUTTON_STATE_PRESSED);
    },
    [](void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {},
    [](void*, wl_pointer*) {},
    [](void*, wl_pointer*, std::uint32_t) {},
    [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
    [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
    [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
#ifdef WL_POINTER_AXIS_RELATIVE_DIRECTION_SINCE_VERSION  // libwayland 1.22 and later
    [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
#endif
};

std::unique_ptr<LayerShellDisplay> LayerShellDisplay::Open()
{
  const QByteArray choice = qgetenv("TICKORA_CLOCK_WINDOW");
  const bool forced = choice == "layer-shell";
  if (choice == "x11" || (!forced && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")))
    return nullptr;
  if (!forced && !choice.isEmpty())
    std::fprintf(stderr, "Tickora: TICKORA_CLOCK_WINDOW is \"%s\"; it can be \"layer-shell\" or \"x11\".\n",
                 choice.constData());
  std::unique_ptr<WaylandSession> session = WaylandSession::Connect();
  if (!session || !session->compositor || !session->shm || !session->layerShell) {
    if (forced)
      std::fputs("Tickora: the Wayland compositor offers no layer shell; the clock runs through XWayland.\n", stderr);
    return nullptr;
  }
  return std::unique_ptr<LayerShellDisplay>(new LayerShellDisplay(std::move(session)));
}

LayerShellDisplay::LayerShellDisplay(std::unique_ptr<WaylandSession> session)
    : session_(std::move(session)), notifier_(wl_display_get_fd(session_->display), QSocketNotifier::Read)
{
  connect(&notifier_, &QSocketNotifier::activated, this, [this] {
    if (wl_display_dispatch(session_->display) < 0)
      Lost();
  });
  // Whatever the clocks asked for in this turn of the event loop goes out before it sleeps.
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, [this] {
    if (wl_display_flush(session_->display) < 0 && errno != EAGAIN)
      Lost();
  });
}

LayerShellDisplay::~LayerShellDisplay() = default;

void LayerShellDisplay::Lost()
{
  if (!notifier_.isEnabled())
    return;
  notifier_.setEnabled(false);
  std::fputs("Tickora: the connection to the Wayland compositor was lost.\n", stderr);
  QCoreApplication::exit(1);
}

LayerShellWindow::LayerShellWindow(LayerShellDisplay& display, ClockData& data, SettingsStore& store,
                                   UserMessages messages, ClockCompany* company)
    : session_(&display.session()),
      form_(data, store, *this, std::move(messages), company),
      ownTimer_(company ? nullptr : std::make_unique<TickTimer>()),
      ticks_(company ? company->schedule() : ownTimer_->schedule(), [this] { form_.TimerTimer(); }, kSecondInterval)
{
  session_->outputsChanged[this] = [this](WaylandOutput* gone) { OutputsChanged(gone); };
  session_->pointerChanged[this] = [this](bool pointer) { SeatCapabilities(pointer); };
  SeatCapabilities(session_->pointer);
  form_.FormCreate();
  if (!layer_)
    CreateSurface();
  wl_display_dispatch_pending(session_->display);
  wl_display_flush(session_->display);
}

LayerShellWindow::~LayerShellWindow()
{
  DestroySurface();
  DestroyPointer();
  Release(cursorSurface_, wl_surface_destroy);
  Release(cursorTheme_, wl_cursor_theme_destroy);
  session_->outputsChanged.erase(this);
  session_->pointerChanged.erase(this);
  wl_display_flush(session_->display);
}

PixelRect LayerShellWindow::PrimaryScreen() const
{
  // Wayland names no primary output: the one at the desktop's origin, else the first.
  const WaylandOutput* primary = session_->OutputAt({0, 0});
  return primary ? primary->Rect() : PixelRect{0, 0, size_.width, size_.height};
}

std::vector<PixelRect> LayerShellWindow::Screens() const
{
  std::vector<PixelRect> screens;
  for (const auto& output : session_->outputs)
    screens.push_back(output->Rect());
  return screens;
}

TimeOfDay LayerShellWindow::LocalTime() const
{
  const QTime now = QTime::currentTime();
  return {now.hour(), now.minute(), now.second()};
}

PixelPoint LayerShellWindow::CursorPos() const
{
  // The compositor tells the pointer's place only while it is over the clock.
  return pointerOver_ ? PointerGlobal() : PixelPoint{INT_MIN / 2, INT_MIN / 2};
}

PixelPoint LayerShellWindow::PointerGlobal() const
{
  // While the button is held, compositors differ in what the pointer's place on the surface is
  // relative to (sway: where the surface was at the press; KWin: where it is now), but not in how far
  // the pointer has moved since the press.
  if (gesture_.pressed() && relativeSeen_)
    return {gesture_.pressedAt().x + Round(relativeX_), gesture_.pressedAt().y + Round(relativeY_)};
  return {eventOrigin_.x + Round(pointerX_), eventOrigin_.y + Round(pointerY_)};
}

long double LayerShellWindow::DeviceScale() const
{
  if (viewport_ && preferredScale_ > 0)
    return static_cast<long double>(preferredScale_) / 120;
  const WaylandOutput* output = layerOutput_ ? layerOutput_ : OutputOfCentre(origin_);
  return output ? output->scale : 1;
}

long double LayerShellWindow::ScaleAt(PixelPoint point) const
{
  const WaylandOutput* output = session_->OutputAt(point);
  return !output || output == layerOutput_ ? DeviceScale() : output->scale;
}

WaylandOutput* LayerShellWindow::OutputOfCentre(PixelPoint origin) const
{
  return session_->OutputAt({origin.x + size_.width / 2, origin.y + size_.height / 2});
}

void LayerShellWindow::Resize(PixelSize size)
{
  size_ = size;
  if (layer_)
    zwlr_layer_surface_v1_set_size(layer_, static_cast<std::uint32_t>(size.width),
                                   static_cast<std::uint32_t>(size.height));
  regionChanged_ = true;
}

void LayerShellWindow::MoveTo(PixelPoint position)
{
  origin_ = position;
  if (layer_ && !gesture_.dragging() && OutputOfCentre(position) != layerOutput_) {
    // A layer surface lives on one output: it moves to another as a new surface.
    DestroySurface();
    CreateSurface();
  } else if (layer_) {
    placeChanged_ = true;
    Commit();
  }
  // The compositor reports no place: the clock's own move is its report.
  Later([this, position] { form_.WindowMoved(position); });
}

void LayerShellWindow::SetMargins()
{
  const PixelRect output = layerOutput_->Rect();
  zwlr_layer_surface_v1_set_margin(layer_, origin_.y - output.y, 0, 0, origin_.x - output.x);
}

void LayerShellWindow::CreateSurface()
{
  layerOutput_ = OutputOfCentre(origin_);
  if (hidden_ || !layerOutput_)
    return;
  WaylandSession& s = *session_;
  surface_ = wl_compositor_create_surface(s.compositor);
  if (s.fractionalScale && s.viewporter) {
    viewport_ = wp_viewporter_get_viewport(s.viewporter, surface_);
    fractionalScale_ = wp_fractional_scale_manager_v1_get_fractional_scale(s.fractionalScale, surface_);
    wp_fractional_scale_v1_add_listener(fractionalScale_, &LayerShellEvents::fractional, this);
  }
  layer_ = zwlr_layer_shell_v1_get_layer_surface(s.layerShell, surface_, layerOutput_->output,
                                                 ZWLR_LAYER_SHELL_V1_LAYER_TOP, "tickora");
  zwlr_layer_surface_v1_add_listener(layer_, &LayerShellEvents::layer, this);
  zwlr_layer_surface_v1_set_size(layer_, static_cast<std::uint32_t>(size_.width),
                                 static_cast<std::uint32_t>(size_.height));
  zwlr_layer_surface_v1_set_anchor(layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
  // Placed against the output's own edges, not the area panels leave.
  zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
  zwlr_layer_surface_v1_set_keyboard_interactivity(layer_, 0);
  SetMargins();
  SetInputRegion();
  eventOrigin_ = origin_;
  wl_surface_commit(surface_);
}

void LayerShellWindow::DestroySurface()
{
  gesture_.Cancel();
  if (std::exchange(pointerOver_, false))
    form_.PointerLeft();
  for (const auto& [callback, origin] : syncs_)
    wl_callback_destroy(callback);
  syncs_.clear();
  Release(layer_, zwlr_layer_surface_v1_destroy);
  Release(fractionalScale_, wp_fractional_scale_v1_destroy);
  Release(viewport_, wp_viewport_destroy);
  Release(surface_, wl_surface_destroy);
  layerOutput_ = nullptr;
  configured_ = false;
  DestroyBuffers();
}

void LayerShellWindow::Configured(std::uint32_t serial)
{
  zwlr_layer_surface_v1_ack_configure(layer_, serial);
  if (std::exchange(configured_, true))
    return;
  damage_ = form_.frame().rect();
  Commit();
}

void LayerShellWindow::Closed()
{
  // The compositor took the surface away (its output went): a new one goes where the clock is.
  DestroySurface();
  Later([this] {
    if (!layer_)
      CreateSurface();
  });
}

void LayerShellWindow::OutputsChanged(WaylandOutput* gone)
{
  if (gone && gone == layerOutput_) {
    DestroySurface();
    Later([this] {
      if (!layer_)
        CreateSurface();
    });
  } else if (!layer_ && !hidden_) {
    // The first output came.
    Later([this] {
      if (!layer_)
        CreateSurface();
    });
  }
  form_.Wake();
}

bool LayerShellWindow::Present(const DeviceImage& frame, PixelRect changed, bool resized, const ClickMask&,
                               PixelRect clicksChanged)
{
  if (resized)
    changed = frame.rect();
  if (resized || !IsEmpty(clicksChanged))
    regionChanged_ = true;
  damage_ = United(damage_, changed);
  Commit();
  return true;
}

void LayerShellWindow::Commit()
{
  if (!layer_ || !configured_)
    return;
  const DeviceImage& frame = form_.frame();
  Buffer* target = nullptr;
  if (!IsEmpty(damage_) && !frame.isNull()) {
    if (bufferSize_ != frame.size())
      CreateBuffers(frame.size());
    for (auto& b : buffers_)
      if (!b.busy && !target)
        target = &b;
    // Both with the compositor: the release brings this frame.
    if (!target && !regionChanged_ && !placeChanged_)
      return;
  }
  if (regionChanged_)
    SetInputRegion();
  if (placeChanged_) {
    SetMargins();
    SyncOrigin();
    placeChanged_ = false;
  }
  if (target) {
    const PixelRect copy = United(target->stale, damage_);
    for (int y = copy.y; y < copy.y + copy.height; ++y)
      std::memcpy(target->pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(bufferSize_.width) + copy.x,
                  frame.row(y) + copy.x, static_cast<std::size_t>(copy.width) * 4);
    target->stale = {};
    for (auto& b : buffers_)
      if (&b != target)
        b.stale = United(b.stale, damage_);
    wl_surface_attach(surface_, target->buffer, 0, 0);
    wl_surface_damage_buffer(surface_, damage_.x, damage_.y, damage_.width, damage_.height);
    target->busy = true;
    damage_ = {};
    if (viewport_ && preferredScale_ > 0) {
      wl_surface_set_buffer_scale(surface_, 1);
      wp_viewport_set_destination(viewport_, size_.width, size_.height);
    } else {
      // A whole-number scale must divide the buffer: a frame still drawn at the old scale keeps it.
      const bool divides = size_.width > 0 && size_.height > 0 && frame.width() % size_.width == 0 &&
                           frame.height() % size_.height == 0;
      if (viewport_)
        wp_viewport_set_destination(viewport_, -1, -1);
      wl_surface_set_buffer_scale(surface_, divides ? frame.width() / size_.width : 1);
    }
  }
  wl_surface_commit(surface_);
}

void LayerShellWindow::SetInputRegion()
{
  regionChanged_ = false;
  wl_region* region = wl_compositor_create_region(session_->compositor);
  const ClickMask& clicks = form_.clicks();
  if (!clickThrough_ && size_.width > 0 && clicks.size.width > 0) {
    const long double scale = static_cast<long double>(clicks.size.width) / size_.width;
    for (const PixelRect& r : LogicalClickRects(clicks, size_, scale))
      wl_region_add(region, r.x, r.y, r.width, r.height);
  }
  wl_surface_set_input_region(surface_, region);
  wl_region_destroy(region);
}

void LayerShellWindow::SyncOrigin()
{
  wl_callback* callback = wl_display_sync(session_->display);
  wl_callback_add_listener(callback, &LayerShellEvents::sync, this);
  syncs_.emplace_back(callback, origin_);
}

void LayerShellWindow::CreateBuffers(PixelSize size)
{
  DestroyBuffers();
  const std::size_t frameBytes = static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height) * 4;
  const int fd = memfd_create("tickora-frame", MFD_CLOEXEC);
  if (fd < 0)
    return;
  if (ftruncate(fd, static_cast<off_t>(2 * frameBytes)) == 0) {
    void* mapped = mmap(nullptr, 2 * frameBytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mapped != MAP_FAILED) {
      mapped_ = mapped;
      mappedBytes_ = 2 * frameBytes;
      wl_shm_pool* pool = wl_shm_create_pool(session_->shm, fd, static_cast<std::int32_t>(2 * frameBytes));
      for (int i = 0; i < 2; ++i) {
        Buffer& b = buffers_[i];
        b.buffer = wl_shm_pool_create_buffer(pool, static_cast<std::int32_t>(i * frameBytes), size.width, size.height,
                                             size.width * 4, WL_SHM_FORMAT_ARGB8888);
        wl_buffer_add_listener(b.buffer, &LayerShellEvents::buffer, this);
        b.pixels = static_cast<std::uint32_t*>(mapped) + i * (frameBytes / 4);
        b.stale = {0, 0, size.width, size.height};
      }
      wl_shm_pool_destroy(pool);
      bufferSize_ = size;
    }
  }
  close(fd);
}

void LayerShellWindow::DestroyBuffers()
{
  for (auto& b : buffers_) {
    Release(b.buffer, wl_buffer_destroy);
    b = {};
  }
  if (mapped_)
    munmap(mapped_, mappedBytes_);
  mapped_ = nullptr;
  mappedBytes_ = 0;
  bufferSize_ = {};
}

void LayerShellWindow::SetClickThrough(bool through)
{
  clickThrough_ = through;
  gesture_.Cancel();
  regionChanged_ = true;
  Commit();
}

void LayerShellWindow::SetHidden(bool hidden)
{
  hidden_ = hidden;
  if (hidden)
    DestroySurface();
  else if (!layer_)
    CreateSurface();
}

void LayerShellWindow::SetTimerInterval(int milliseconds)
{
  ticks_.SetInterval(milliseconds);
}

void LayerShellWindow::Later(std::function<void()> task)
{
  QTimer::singleShot(0, this, std::move(task));
}

void LayerShellWindow::SeatCapabilities(bool pointer)
{
  if (pointer && !pointer_) {
    pointer_ = wl_seat_get_pointer(session_->seat);
    wl_pointer_add_listener(pointer_, &LayerShellEvents::pointer, this);
    if (session_->relativePointers) {
      relativePointer_ = zwp_relative_pointer_manager_v1_get_relative_pointer(session_->relativePointers, pointer_);
      zwp_relative_pointer_v1_add_listener(relativePointer_, &LayerShellEvents::relative, this);
    }
  } else if (!pointer && pointer_) {
    DestroyPointer();
    gesture_.Cancel();
    if (std::exchange(pointerOver_, false))
      form_.PointerLeft();
  }
}

void LayerShellWindow::DestroyPointer()
{
  Release(relativePointer_, zwp_relative_pointer_v1_destroy);
  // Only a release tells the compositor: a pointer merely forgotten here would still be sent every
  // event of the pointer over the other clocks.
  if (pointer_ && wl_pointer_get_version(pointer_) >= WL_POINTER_RELEASE_SINCE_VERSION)
    wl_pointer_release(pointer_);
  else if (pointer_)
    wl_pointer_destroy(pointer_);
  pointer_ = nullptr;
}

void LayerShellWindow::SetCursor(std::uint32_t serial)
{
  // The compositor leaves the pointer's image to the surface under it: the theme's arrow.
  const int scale = layerOutput_ ? std::max(layerOutput_->scale, 1) : 1;
  if (!cursorTheme_ || cursorScale_ != scale) {
    Release(cursorTheme_, wl_cursor_theme_destroy);
    const int size = qEnvironmentVariableIsEmpty("XCURSOR_SIZE") ? kDefaultCursorSize
                                                                  : qEnvironmentVariableIntValue("XCURSOR_SIZE");
    cursorTheme_ = wl_cursor_theme_load(std::getenv("XCURSOR_THEME"), std::max(size, 1) * scale, session_->shm);
    cursorScale_ = scale;
  }
  wl_cursor* cursor = cursorTheme_ ? wl_cursor_theme_get_cursor(cursorTheme_, "left_ptr") : nullptr;
  if (!cursor || cursor->image_count == 0)
    return;
  wl_cursor_image* image = cursor->images[0];
  if (!cursorSurface_)
    cursorSurface_ = wl_compositor_create_surface(session_->compositor);
  wl_surface_attach(cursorSurface_, wl_cursor_image_get_buffer(image), 0, 0);
  wl_surface_set_buffer_scale(cursorSurface_, scale);
  wl_surface_damage_buffer(cursorSurface_, 0, 0, static_cast<std::int32_t>(image->width),
                           static_cast<std::int32_t>(image->height));
  wl_surface_commit(cursorSurface_);
  wl_pointer_set_cursor(pointer_, serial, cursorSurface_, static_cast<std::int32_t>(image->hotspot_x) / scale,
                        static_cast<std::int32_t>(image->hotspot_y) / scale);
}

void LayerShellWindow::PointerEnter(wl_surface* surface, std::uint32_t serial, double x, double y)
{
  if (!surface || surface != surface_)
    return;
  pointerX_ = x;
  pointerY_ = y;
  SetCursor(serial);
  if (!std::exchange(pointerOver_, true))
    form_.PointerEntered();
}

void LayerShellWindow::PointerLeave(wl_surface* surface)
{
  if (!surface || surface != surface_)
    return;
  gesture_.Cancel();
  if (std::exchange(pointerOver_, false))
    form_.PointerLeft();
}

void LayerShellWindow::PointerMotion(double x, double y)
{
  if (!pointerOver_)
    return;
  pointerX_ = x;
  pointerY_ = y;
  Follow();
}

void LayerShellWindow::RelativeMotion(double dx, double dy)
{
  if (!gesture_.pressed() || (dx == 0 && dy == 0))
    return;
  relativeSeen_ = true;
  relativeX_ += dx;
  relativeY_ += dy;
  Follow();
}

void LayerShellWindow::Follow()
{
  followedAt_ = PointerGlobal();
  if (const PointerGesture::Step step = gesture_.Move(followedAt_); step.place)
    MoveOrigin(*step.place);
}

void LayerShellWindow::MoveOrigin(PixelPoint place)
{
  if (place == origin_)
    return;
  origin_ = place;
  placeChanged_ = true;
  Commit();
  form_.WindowMoved(place);
}

void LayerShellWindow::PointerButton(std::uint32_t time, std::uint32_t button, bool pressed)
{
  if (!pointerOver_)
    return;
  const PixelPoint at = PointerGlobal();
  if (button == kRightButton && !pressed) {
    form_.RightButtonUp(at);
    if (QWidget* menu = QApplication::activePopupWidget())
      KeepBeside(*menu);
  } else if (button == kLeftButton && !pressed) {
    // The button's event carries no place: the pointer is where the last motion put it, the window
    // already with it (the place the events are relative to may have moved since).
    const bool dragged = gesture_.dragging();
    if (const std::optional<PixelPoint> dropped = gesture_.Release(followedAt_))
      MoveOrigin(*dropped);
    // Dropped over another output: the surface goes there.
    if (dragged && OutputOfCentre(origin_) != layerOutput_) {
      DestroySurface();
      CreateSurface();
    }
  } else if (button == kLeftButton) {
    relativeSeen_ = false;
    relativeX_ = 0;
    relativeY_ = 0;
    followedAt_ = at;
    gesture_.Press(at, eventOrigin_, time, GestureLimits());
  }
}

void LayerShellWindow::KeepBeside(QWidget& menu) const
{
  // The menu lives on XWayland, and wlroots compositors stack layer surfaces above X11 popups: opened
  // over the clock it would be hidden behind it. It goes to the clock's side, the right one if it fits.
  const QRect clock(origin_.x, origin_.y, size_.width, size_.height);
  QRect placed = menu.geometry();
  if (!placed.intersects(clock))
    return;
  const WaylandOutput* output = OutputOfCentre(origin_);
  const int right = output ? output->Rect().x + output->Rect().width : INT_MAX;
  placed.moveLeft(clock.right() + 1 + placed.width() <= right ? clock.right() + 1 : clock.left() - placed.width());
  menu.move(placed.topLeft());
}
