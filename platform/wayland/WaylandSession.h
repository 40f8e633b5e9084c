#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "model/PixelGeometry.h"

struct wl_compositor;
struct wl_display;
struct wl_output;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wp_fractional_scale_manager_v1;
struct wp_viewporter;
struct zwlr_layer_shell_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
struct zwp_relative_pointer_manager_v1;

// One monitor as the compositor describes it: its place and size in the desktop's logical pixels
// (from xdg-output where offered) and its whole-number scale.
struct WaylandOutput {
  struct WaylandSession* session = nullptr;
  std::uint32_t name = 0;
  wl_output* output = nullptr;
  zxdg_output_v1* xdg = nullptr;
  PixelPoint position;
  PixelSize mode;     // device pixels
  PixelRect logical;  // from xdg-output
  bool hasLogical = false;
  int scale = 1;

  PixelRect Rect() const;
};

// The connection to the compositor, the globals the clock binds and the outputs as they come and go.
struct WaylandSession {
  wl_display* display = nullptr;
  wl_registry* registry = nullptr;
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  wl_seat* seat = nullptr;
  zwlr_layer_shell_v1* layerShell = nullptr;
  wp_viewporter* viewporter = nullptr;
  wp_fractional_scale_manager_v1* fractionalScale = nullptr;
  zxdg_output_manager_v1* xdgOutputs = nullptr;
  zwp_relative_pointer_manager_v1* relativePointers = nullptr;
  std::vector<std::unique_ptr<WaylandOutput>> outputs;
  bool pointer = false;  // the seat has one
  // Each window's watch, by the window: an output was described anew, came or (`gone`, still
  // readable) went; the seat's pointer came or went.
  std::map<const void*, std::function<void(WaylandOutput* gone)>> outputsChanged;
  std::map<const void*, std::function<void(bool pointer)>> pointerChanged;

  // Connects to the compositor WAYLAND_DISPLAY names and learns its globals and outputs; null when
  // there is none.
  static std::unique_ptr<WaylandSession> Connect();
  WaylandSession() = default;
  WaylandSession(const WaylandSession&) = delete;
  WaylandSession& operator=(const WaylandSession&) = delete;
  ~WaylandSession();

  // The output that holds `point`, else the nearest one; null without outputs.
  WaylandOutput* OutputAt(PixelPoint point) const;

  void AddOutput(std::uint32_t name, std::uint32_t version);
  void DescribeOutput(WaylandOutput& output);
  void RemoveOutput(std::uint32_t name);
  void OutputChanged(WaylandOutput* gone) const;
};
