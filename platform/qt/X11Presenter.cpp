#include "platform/qt/X11Presenter.h"

#include <QImage>

#ifdef TICKORA_HAVE_XCB_SHM
#include <algorithm>
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
constexpr int kBitsPerPixel = 32;

// Whether the server lays out pixels of `depth` as 32-bit words, as the frame holds them.
bool HoldsWords(xcb_connection_t* connection, std::uint8_t depth)
{
  const xcb_setup_t* setup = xcb_get_setup(connection);
  for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
    if (it.data->depth == depth)
      return it.data->bits_per_pixel == kBitsPerPixel && it.data->scanline_pad == kBitsPerPixel;
  }
  return false;
}
}  // namespace

X11Presenter::X11Presenter()
{
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  connection_ = x11 ? x11->connection() : nullptr;
  if (!connection_)
    return;
  const bool littleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
  swapBytes_ = (xcb_get_setup(connection_)->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) != littleEndian;
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
    if (HoldsWords(connection_, geometry->depth))
      depth_ = geometry->depth;
    std::free(geometry);
  }
  return depth_ != 0;
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
  const auto width = static_cast<std::size_t>(frame.width());
  const std::size_t bytes = width * static_cast<std::size_t>(frame.height()) * 4;
  if (PrepareSharedMemory(bytes)) {
    // The segment mirrors the whole frame; only the band is copied and put.
    const auto rowBytes = static_cast<std::size_t>(band.width()) * 4;
    for (int row = band.top(); row <= band.bottom(); ++row) {
      const std::size_t offset = (static_cast<std::size_t>(row) * width + static_cast<std::size_t>(band.left())) * 4;
      std::memcpy(shared_ + offset, frame.constScanLine(row) + band.left() * 4, rowBytes);
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
  const std::size_t rowBytes = static_cast<std::size_t>(band.width()) * 4;
  const std::size_t maximum = std::size_t{xcb_get_maximum_request_length(connection_)} * 4 - kHeaderBytes;
  const int rowsAtOnce = std::max(1, static_cast<int>(maximum / rowBytes));
  std::vector<std::uint32_t> pixels;
  for (int top = band.top(); top <= band.bottom(); top += rowsAtOnce) {
    const int rows = std::min(rowsAtOnce, band.bottom() + 1 - top);
    pixels.resize(static_cast<std::size_t>(band.width()) * static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row) {
      const auto* from = reinterpret_cast<const std::uint32_t*>(frame.constScanLine(top + row)) + band.left();
      std::uint32_t* to = pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(band.width());
      if (swapBytes_)
        std::transform(from, from + band.width(), to, [](std::uint32_t p) { return qbswap(p); });
      else
        std::copy(from, from + band.width(), to);
    }
    xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, gc_, static_cast<std::uint16_t>(band.width()),
                  static_cast<std::uint16_t>(rows), static_cast<std::int16_t>(band.left()),
                  static_cast<std::int16_t>(top), 0, depth_, static_cast<std::uint32_t>(pixels.size() * 4),
                  reinterpret_cast<const std::uint8_t*>(pixels.data()));
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
