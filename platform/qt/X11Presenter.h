#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include <QRect>

class QImage;
struct xcb_connection_t;

// Puts the clock's frames into its X window straight from the frame's own pixels, with no toolkit
// paint path between: only the changed band, through shared memory (MIT-SHM) where the server offers
// it, else a plain put in pieces the server takes. Over the connection Qt holds. A window whose visual
// holds pixels otherwise than the frame (16 bits, other masks) takes them converted to its own.
class X11Presenter {
public:
  // A presenter on Qt's X connection; unusable (usable() false) on any other platform.
  X11Presenter();
  ~X11Presenter();
  X11Presenter(const X11Presenter&) = delete;
  X11Presenter& operator=(const X11Presenter&) = delete;

  bool usable() const { return connection_ != nullptr; }
  // Puts `area` of `frame` (premultiplied ARGB32, device pixels) at the same place in `window`.
  // False when X took nothing (the window's visual is not TrueColor, or its pixels are not whole bytes).
  bool Put(std::uint32_t window, const QImage& frame, const QRect& area);

private:
  // How the window's visual holds a pixel.
  struct PixelLayout {
    int bytesPerPixel = 0;
    int scanlinePad = 0;  // bytes a row is padded to
    bool words = false;   // as the frame holds it: 32-bit words, ARGB (or XRGB) in that order
    // The value of each channel's 8 bits (red, green, blue, alpha) in the pixel; alpha is whatever
    // bits of the depth the colour leaves.
    std::array<std::array<std::uint32_t, 256>, 4> channels{};
  };

  bool PrepareWindow(std::uint32_t window);
  bool ReadLayout(std::uint32_t window, std::uint8_t depth);
  std::size_t RowBytes(int width) const;
  void PackRow(const std::uint32_t* from, int count, unsigned char* to) const;
  bool PrepareSharedMemory(std::size_t bytes);
  void ReleaseSharedMemory();
  void PutPlain(std::uint32_t window, const QImage& frame, const QRect& area);

  xcb_connection_t* connection_ = nullptr;
  std::uint32_t window_ = 0;  // the window the graphics context was made for
  std::uint32_t gc_ = 0;
  std::uint8_t depth_ = 0;
  PixelLayout layout_;
  bool serverLsbFirst_ = true;
  bool swapBytes_ = false;    // the server takes pixels in the other byte order
  bool sharedMemory_ = false; // the server offers MIT-SHM and has not refused a segment
  std::uint32_t segment_ = 0;
  unsigned char* shared_ = nullptr;
  std::size_t sharedBytes_ = 0;
};
