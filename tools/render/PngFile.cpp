#include "tools/render/PngFile.h"

#include <array>
#include <fstream>
#include <stdexcept>

namespace {
// Stored (uncompressed) deflate blocks hold at most this many bytes each.
constexpr std::size_t kStoredBlock = 65535;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0)
{
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k)
        c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i)
    crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[5], const std::vector<std::uint8_t>& data)
{
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

// The rows, each behind filter type 0, as a zlib stream of stored blocks: exact and simple.
std::vector<std::uint8_t> ZlibStored(const RgbaImage& image)
{
  std::vector<std::uint8_t> raw;
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
  raw.reserve((rowBytes + 1) * static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);
    const auto row = image.bytes.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(y));
    raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
  }
  std::vector<std::uint8_t> out{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t n = std::min(kStoredBlock, raw.size() - at);
    const bool last = at + n == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(n >> 8));
    out.push_back(static_cast<std::uint8_t>(~n));
    out.push_back(static_cast<std::uint8_t>(~n >> 8));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at), raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBig32(out, (b << 16) | a);
  return out;
}
}  // namespace

RgbaImage::RgbaImage(int w, int h) : width(w), height(h)
{
  bytes.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4, 0);
}

void RgbaImage::Set(int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha)
{
  std::uint8_t* p = bytes.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
  p[0] = red;
  p[1] = green;
  p[2] = blue;
  p[3] = alpha;
}

RgbaImage RgbaOfFrame(const DeviceImage& frame)
{
  RgbaImage image(frame.width(), frame.height());
  const auto unmultiply = [](std::uint32_t channel, std::uint32_t alpha) {
    return static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (channel * 510 + alpha) / (2 * alpha)));
  };
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x) {
      const std::uint32_t p = frame.Pixel(x, y);
      const std::uint32_t a = p >> 24;
      if (a == 0)
        continue;
      image.Set(x, y, unmultiply((p >> 16) & 0xFF, a), unmultiply((p >> 8) & 0xFF, a), unmultiply(p & 0xFF, a),
                static_cast<std::uint8_t>(a));
    }
  return image;
}

void WritePng(const RgbaImage& image, const std::string& path)
{
  if (image.width <= 0 || image.height <= 0)
    throw std::runtime_error("nothing to write to " + path);
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBig32(header, static_cast<std::uint32_t>(image.width));
  PutBig32(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter choice, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", ZlibStored(image));
  PutChunk(png, "IEND", {});
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  file.close();
  if (!file)
    throw std::runtime_error("cannot write " + path);
}
