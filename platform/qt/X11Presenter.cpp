#include "platform/qt/X11Presenter.h"

#include <QImage>

#ifdef TICKORA_HAVE_XCB_SHM
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QtEndian>

namespace {
constexpr std::uint32_t kRedWord = 0x00FF0000;
constexpr std::uint32_t kGreenWord = 0x0000FF00;
constexpr std::uint32_t kBlueWord = 0x000000FF;
constexpr std::uint32_t kAlphaWord = 0xFF000000;

const xcb_visualtype_t* FindVisual(const xcb_setup_t* setup, xcb_visualid_t id)
{
  for (auto screen = xcb_setup_roots_iterator(setup); screen.rem; xcb_screen_next(&screen)) {
    for (auto depth = xcb_screen_allowed_depths_iterator(screen.data); depth.rem; xcb_depth_next(&depth)) {
      for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem; xcb_visualtype_next(&visual)) {
        if (visual.data->visual_id == id)
          return visual.data;
      }
    }
  }
  return nullptr;
}

// The value of each 8-bit level in the bits of `mask`, rounded to the nearest level the bits hold.
std::array<std::uint32_t, 256> ChannelTable(std::uint32_t mask)
{
  std::array<std::uint32_t, 256> table{};
  if (mask == 0)
    return table;
  const int shift = std::countr_zero(mask);
  const std::uint32_t top = mask >> shift;
  for (std::uint32_t level = 0; level < table.size(); ++level)
    table[level] = ((level * top + 127) / 255) << shift;
  return table;
}
}  // namespace

X11Presenter::X11Presenter()
{
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  connection_ = x11 ? x11->connection() : nullptr;
  if (!connection_)
    return;
  const bool littleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
  serverLsbFirst_ = xcb_get_setup(connection_)->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
  swapBytes_ = serverLsbFirst_ != littleEndian;
  const xcb_query_extension_reply_t* shm = xcb_get_extension_data(connection_, &xcb_shm_id);
  sharedMemory_ = shm && shm->present && !swapBytes_;
}

X11Presenter::~X11Presenter()
{
  ReleaseSharedMemory();
  if (gc_)
    xcb_free_gc(connection_, gc_);
  if (connection_)
    xcb_flush(connection_);
}

bool X11Presenter::PrepareWindow(std::uint32_t window)
{
  if (window == window_)
    return depth_ != 0;
  if (gc_)
    xcb_free_gc(connection_, gc_);
  window_ = window;
  depth_ = 0;
  // Puts need no exposure events: the window's own Expose brings the whole frame again.
  gc_ = xcb_generate_id(connection_);
  const std::uint32_t noExposures = 0;
  xcb_create_gc(connection_, gc_, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
  if (xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window),
                                                                   nullptr)) {
    if (ReadLayout(window, geometry->depth))
      depth_ = geometry->depth;
    std::free(geometry);
  }
  return depth_ != 0;
}

bool X11Presenter::ReadLayout(std::uint32_t window, std::uint8_t depth)
{
  xcb_get_window_attributes_reply_t* attributes =
      xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr);
  if (!attributes)
    return false;
  const xcb_setup_t* setup = xcb_get_setup(connection_);
  const xcb_visualtype_t* visual = FindVisual(setup, attributes->visual);
  std::free(attributes);
  // Only a visual whose pixels are their colour: a colour map would need colours allocated.
  if (!visual || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR)
    return false;
  int bitsPerPixel = 0;
  for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
    if (it.data->depth == depth) {
      bitsPerPixel = it.data->bits_per_pixel;
      layout_.scanlinePad = it.data->scanline_pad / 8;
    }
  }
  if (bitsPerPixel % 8 != 0 || bitsPerPixel < 8 || bitsPerPixel > 32 || layout_.scanlinePad == 0)
    return false;
  layout_.bytesPerPixel = bitsPerPixel / 8;
  const std::uint32_t depthBits = depth >= 32 ? 0xFFFFFFFFU : (1U << depth) - 1;
  const std::uint32_t alpha = depthBits & ~(visual->red_mask | visual->green_mask | visual->blue_mask);
  layout_.words = bitsPerPixel == 32 && layout_.scanlinePad == 4 && visual->red_mask == kRedWord &&
                  visual->green_mask == kGreenWord && visual->blue_mask == kBlueWord &&
                  (alpha == 0 || alpha == kAlphaWord);
  layout_.channels = {ChannelTable(visual->red_mask), ChannelTable(visual->green_mask),
                      ChannelTable(visual->blue_mask), ChannelTable(alpha)};
  return true;
}

std::size_t X11Presenter::RowBytes(int width) const
{
  const auto pad = static_cast<std::size_t>(layout_.scanlinePad);
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(layout_.bytesPerPixel);
  return (bytes + pad - 1) / pad * pad;
}

void X11Presenter::PackRow(const std::uint32_t* from, int count, unsigned char* to) const
{
  if (layout_.words) {
    if (!swapBytes_) {
      std::memcpy(to, from, static_cast<std::size_t>(count) * 4);
      return;
    }
    for (int column = 0; column < count; ++column) {
      const std::uint32_t swapped = qbswap(from[column]);
      std::memcpy(to + static_cast<std::ptrdiff_t>(column) * 4, &swapped, 4);
    }
    return;
  }
  const auto& [red, green, blue, alpha] = layout_.channels;
  const int bytes = layout_.bytesPerPixel;
  for (int column = 0; column < count; ++column) {
    const std::uint32_t p = from[column];
    const std::uint32_t value = red[(p >> 16) & 0xFF] | green[(p >> 8) & 0xFF] | blue[p & 0xFF] | alpha[p >> 24];
    for (int byte = 0; byte < bytes; ++byte)
      *to++ = static_cast<unsigned char>(value >> (8 * (serverLsbFirst_ ? byte : bytes - 1 - byte)));
  }
}

bool X11Presenter::PrepareSharedMemory(std::size_t bytes)
{
  if (!sharedMemory_)
    return false;
  if (shared_ && sharedBytes_ == bytes)
    return true;
  ReleaseSharedMemory();
  const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (id < 0)
    return sharedMemory_ = false;
  void* address = shmat(id, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    shmctl(id, IPC_RMID, nullptr);
    return sharedMemory_ = false;
  }
  segment_ = xcb_generate_id(connection_);
  xcb_generic_error_t* error =
      xcb_request_check(connection_, xcb_shm_attach_checked(connection_, segment_, static_cast<std::uint32_t>(id), 1));
  // Gone with the last detach, the server's or ours, however the clock ends.
  shmctl(id, IPC_RMID, nullptr);
  if (error) {
    // A server on another machine cannot reach our memory.
    std::free(error);
    shmdt(address);
    return sharedMemory_ = false;
  }
  shared_ = static_cast<unsigned char*>(address);
  sharedBytes_ = bytes;
  return true;
}

void X11Presenter::ReleaseSharedMemory()
{
  if (!shared_)
    return;
  xcb_shm_detach(connection_, segment_);
  // The server may still read the last put: it must have seen it before the memory goes.
  std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
  shmdt(shared_);
  shared_ = nullptr;
  sharedBytes_ = 0;
}

bool X11Presenter::Put(std::uint32_t window, const QImage& frame, const QRect& area)
{
  if (!connection_ || !window || !PrepareWindow(window))
    return false;
  const QRect band = area & frame.rect();
  if (band.isEmpty())
    return true;
  const std::size_t stride = RowBytes(frame.width());
  if (PrepareSharedMemory(stride * static_cast<std::size_t>(frame.height()))) {
    // The segment mirrors the whole frame; only the band is packed and put.
    const std::size_t left = static_cast<std::size_t>(band.left()) * static_cast<std::size_t>(layout_.bytesPerPixel);
    for (int row = band.top(); row <= band.bottom(); ++row) {
      const std::size_t offset = static_cast<std::size_t>(row) * stride + left;
      PackRow(reinterpret_cast<const std::uint32_t*>(frame.constScanLine(row)) + band.left(), band.width(),
              shared_ + offset);
    }
    xcb_shm_put_image(connection_, window, gc_, static_cast<std::uint16_t>(frame.width()),
                      static_cast<std::uint16_t>(frame.height()), static_cast<std::uint16_t>(band.left()),
                      static_cast<std::uint16_t>(band.top()), static_cast<std::uint16_t>(band.width()),
                      static_cast<std::uint16_t>(band.height()), static_cast<std::int16_t>(band.left()),
                      static_cast<std::int16_t>(band.top()), depth_, XCB_IMAGE_FORMAT_Z_PIXMAP, 0, segment_, 0);
  } else {
    PutPlain(window, frame, band);
  }
  xcb_flush(connection_);
  return true;
}

void X11Presenter::PutPlain(std::uint32_t window, const QImage& frame, const QRect& band)
{
  // As many rows a request as the server takes, less the request's own header.
  constexpr std::size_t kHeaderBytes = 64;
  const std::size_t rowBytes = RowBytes(band.width());
  const std::size_t maximum = std::size_t{xcb_get_maximum_request_length(connection_)} * 4 - kHeaderBytes;
  const int rowsAtOnce = std::max(1, static_cast<int>(maximum / rowBytes));
  std::vector<unsigned char> pixels;
  for (int top = band.top(); top <= band.bottom(); top += rowsAtOnce) {
    const int rows = std::min(rowsAtOnce, band.bottom() + 1 - top);
    pixels.assign(rowBytes * static_cast<std::size_t>(rows), 0);
    for (int row = 0; row < rows; ++row) {
      PackRow(reinterpret_cast<const std::uint32_t*>(frame.constScanLine(top + row)) + band.left(), band.width(),
              pixels.data() + static_cast<std::size_t>(row) * rowBytes);
    }
    xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, gc_, static_cast<std::uint16_t>(band.width()),
                  static_cast<std::uint16_t>(rows), static_cast<std::int16_t>(band.left()),
                  static_cast<std::int16_t>(top), 0, depth_, static_cast<std::uint32_t>(pixels.size()),
                  pixels.data());
  }
}

#else

X11Presenter::X11Presenter() = default;
X11Presenter::~X11Presenter() = default;
bool X11Presenter::Put(std::uint32_t, const QImage&, const QRect&)
{
  return false;
}

#endif
