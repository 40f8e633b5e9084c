#include "platform/wayland/WaylandSession.h"

#include <algorithm>
#include <string_view>

#include <wayland-client.h>

#include "fractional-scale-v1-client.h"
#include "layer-shell-client.h"
#include "relative-pointer-unstable-v1-client.h"
#include "viewporter-client.h"
#include "xdg-output-unstable-v1-client.h"

namespace {
bool Contains(PixelRect r, PixelPoint p)
{
  return p.x >= r.x && p.y >= r.y && p.x < r.x + r.width && p.y < r.y + r.height;
}

long long DistanceSquared(PixelRect r, PixelPoint p)
{
  const long long dx = p.x < r.x ? r.x - p.x : (p.x >= r.x + r.width ? p.x - (r.x + r.width - 1) : 0);
  const long long dy = p.y < r.y ? r.y - p.y : (p.y >= r.y + r.height ? p.y - (r.y + r.height - 1) : 0);
  return dx * dx + dy * dy;
}

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface, std::uint32_t offered,
        std::uint32_t wanted)
{
  return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

WaylandSession& Session(void* data) { return *static_cast<WaylandSession*>(data); }
WaylandOutput& Output(void* data) { return *static_cast<WaylandOutput*>(data); }

const wl_seat_listener kSeat = {
    [](void* data, wl_seat*, std::uint32_t capabilities) {
      WaylandSession& s = Session(data);
      s.pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
      // A copy: a watch may end another's.
      const auto watches = s.pointerChanged;
      for (const auto& [window, watch] : watches)
        watch(s.pointer);
    },
    [](void*, wl_seat*, const char*) {},
};

const wl_registry_listener kRegistry = {
    [](void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version) {
      WaylandSession& s = Session(data);
      const std::string_view id(interface);
      if (id == wl_compositor_interface.name) {
        s.compositor = Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, 4);
      } else if (id == wl_shm_interface.name) {
        s.shm = Bind<wl_shm>(registry, name, &wl_shm_interface, version, 1);
      } else if (id == wl_seat_interface.name && !s.seat) {
        s.seat = Bind<wl_seat>(registry, name, &wl_seat_interface, version, 5);
        wl_seat_add_listener(s.seat, &kSeat, &s);
      } else if (id == zwlr_layer_shell_v1_interface.name) {
        s.layerShell = Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, 1);
      } else if (id == wp_viewporter_interface.name) {
        s.viewporter = Bind<wp_viewporter>(registry, name, &wp_viewporter_interface, version, 1);
      } else if (id == wp_fractional_scale_manager_v1_interface.name) {
        s.fractionalScale = Bind<wp_fractional_scale_manager_v1>(
            registry, name, &wp_fractional_scale_manager_v1_interface, version, 1);
      } else if (id == zxdg_output_manager_v1_interface.name) {
        s.xdgOutputs = Bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface, version, 3);
        for (const auto& output : s.outputs)
          s.DescribeOutput(*output);
      } else if (id == zwp_relative_pointer_manager_v1_interface.name) {
        s.relativePointers = Bind<zwp_relative_pointer_manager_v1>(
            registry, name, &zwp_relative_pointer_manager_v1_interface, version, 1);
      } else if (id == wl_output_interface.name) {
        s.AddOutput(name, version);
      }
    },
    [](void* data, wl_registry*, std::uint32_t name) { Session(data).RemoveOutput(name); },
};

const wl_output_listener kOutput = {
    [](void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t, std::int32_t, const char*,
       const char*, std::int32_t) { Output(data).position = {x, y}; },
    [](void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height, std::int32_t) {
      if (flags & WL_OUTPUT_MODE_CURRENT)
        Output(data).mode = {width, height};
    },
    [](void* data, wl_output*) { Output(data).session->OutputChanged(nullptr); },
    [](void* data, wl_output*, std::int32_t factor) { Output(data).scale = factor; },
    [](void*, wl_output*, const char*) {},
    [](void*, wl_output*, const char*) {},
};

const zxdg_output_v1_listener kXdgOutput = {
    [](void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y) {
      Output(data).logical.x = x;
      Output(data).logical.y = y;
      Output(data).hasLogical = true;
    },
    [](void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height) {
      Output(data).logical.width = width;
      Output(data).logical.height = height;
    },
    // Before version 3 the description ends here rather than at wl_output's done.
    [](void* data, zxdg_output_v1* xdg) {
      if (zxdg_output_v1_get_version(xdg) < 3)
        Output(data).session->OutputChanged(nullptr);
    },
    [](void*, zxdg_output_v1*, const char*) {},
    [](void*, zxdg_output_v1*, const char*) {},
};
}  // namespace

PixelRect WaylandOutput::Rect() const
{
  if (hasLogical)
    return logical;
  return {position.x, position.y, mode.width / std::max(scale, 1), mode.height / std::max(scale, 1)};
}

std::unique_ptr<WaylandSession> WaylandSession::Connect()
{
  auto session = std::make_unique<WaylandSession>();
  session->display = wl_display_connect(nullptr);
  if (!session->display)
    return nullptr;
  session->registry = wl_display_get_registry(session->display);
  wl_registry_add_listener(session->registry, &kRegistry, session.get());
  // The globals, then what the outputs and the seat say of themselves.
  wl_display_roundtrip(session->display);
  wl_display_roundtrip(session->display);
  return session;
}

WaylandSession::~WaylandSession()
{
  if (display)
    wl_display_disconnect(display);
}

WaylandOutput* WaylandSession::OutputAt(PixelPoint point) const
{
  WaylandOutput* nearest = nullptr;
  long long best = 0;
  for (const auto& output : outputs) {
    const PixelRect rect = output->Rect();
    if (rect.width <= 0 || rect.height <= 0)
      continue;
    if (Contains(rect, point))
      return output.get();
    if (const long long d = DistanceSquared(rect, point); !nearest || d < best) {
      nearest = output.get();
      best = d;
    }
  }
  return nearest;
}

void WaylandSession::AddOutput(std::uint32_t name, std::uint32_t version)
{
  auto added = std::make_unique<WaylandOutput>();
  added->session = this;
  added->name = name;
  added->output = Bind<wl_output>(registry, name, &wl_output_interface, version, 4);
  wl_output_add_listener(added->output, &kOutput, added.get());
  DescribeOutput(*added);
  outputs.push_back(std::move(added));
}

void WaylandSession::DescribeOutput(WaylandOutput& output)
{
  if (!xdgOutputs || output.xdg)
    return;
  output.xdg = zxdg_output_manager_v1_get_xdg_output(xdgOutputs, output.output);
  zxdg_output_v1_add_listener(output.xdg, &kXdgOutput, &output);
}

void WaylandSession::RemoveOutput(std::uint32_t name)
{
  const auto gone =
      std::find_if(outputs.begin(), outputs.end(), [name](const auto& output) { return output->name == name; });
  if (gone == outputs.end())
    return;
  const std::unique_ptr<WaylandOutput> output = std::move(*gone);
  outputs.erase(gone);
  OutputChanged(output.get());
  if (output->xdg)
    zxdg_output_v1_destroy(output->xdg);
  // Released, the compositor frees its side too; a version 1 or 2 output can only be forgotten.
  if (wl_output_get_version(output->output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
    wl_output_release(output->output);
  else
    wl_output_destroy(output->output);
}

void WaylandSession::OutputChanged(WaylandOutput* gone) const
{
  const auto watches = outputsChanged;
  for (const auto& [window, watch] : watches)
    watch(gone);
}
