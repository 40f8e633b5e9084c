#include <csetjmp>
#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>

#include "Artwork.h"

namespace {
constexpr int kDotsPerInch = 96;
constexpr int kBestQuality = 95;
constexpr int kWorstQuality = 40;
constexpr int kBmpHeaderBytes = 54;
constexpr int kInfoHeaderBytes = 40;
constexpr int kPixelsPerMetre = 3780;  // 96 dpi

struct ErrorExit {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info)
{
  std::longjmp(reinterpret_cast<ErrorExit*>(info->err)->jump, 1);
}

std::vector<std::uint8_t> EncodeAtQuality(const Rgb8Image& image, int quality)
{
  jpeg_compress_struct info{};
  ErrorExit err{};
  info.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnJpegError;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    throw std::runtime_error("JPEG encoding failed");
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  // The defaults are what the program's pictures use: JFIF 1.01, YCbCr 4:2:0, two quantisation
  // tables, the standard Huffman tables, baseline, no restart interval.
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.write_JFIF_header = TRUE;
  info.JFIF_major_version = 1;
  info.JFIF_minor_version = 1;
  info.density_unit = 1;
  info.X_density = kDotsPerInch;
  info.Y_density = kDotsPerInch;
  info.optimize_coding = FALSE;
  info.restart_interval = 0;
  info.restart_in_rows = 0;
  info.dct_method = JDCT_ISLOW;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.rgb.data() + static_cast<std::size_t>(info.next_scanline) * image.width * 3);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
  Put16(out, at, v & 0xFFFF);
  Put16(out, at + 2, v >> 16);
}
}  // namespace

std::vector<std::uint8_t> EncodeJfif(const Rgb8Image& image, std::size_t maxBytes)
{
  // The best quality that still fits the size the catalogue expects.
  for (int q = kBestQuality; q > kWorstQuality; --q) {
    auto bytes = EncodeAtQuality(image, q);
    if (bytes.size() <= maxBytes) return bytes;
  }
  return EncodeAtQuality(image, kWorstQuality);
}

std::vector<std::uint8_t> EncodeBmp32(const Rgb8Image& image, const std::vector<std::uint8_t>& fourth)
{
  const std::size_t pixelBytes = static_cast<std::size_t>(image.width) * image.height * 4;
  std::vector<std::uint8_t> out(kBmpHeaderBytes + pixelBytes, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  Put32(out, 10, kBmpHeaderBytes);
  Put32(out, 14, kInfoHeaderBytes);
  Put32(out, 18, static_cast<std::uint32_t>(image.width));
  Put32(out, 22, static_cast<std::uint32_t>(image.height));  // positive: bottom-up
  Put16(out, 26, 1);
  Put16(out, 28, 32);
  Put32(out, 30, 0);  // BI_RGB
  Put32(out, 34, static_cast<std::uint32_t>(pixelBytes));
  Put32(out, 38, kPixelsPerMetre);
  Put32(out, 42, kPixelsPerMetre);
  for (int y = 0; y < image.height; ++y) {
    const std::size_t row = kBmpHeaderBytes + static_cast<std::size_t>(image.height - 1 - y) * image.width * 4;
    for (int x = 0; x < image.width; ++x) {
      const std::size_t src = (static_cast<std::size_t>(y) * image.width + x);
      out[row + x * 4 + 0] = image.rgb[src * 3 + 2];
      out[row + x * 4 + 1] = image.rgb[src * 3 + 1];
      out[row + x * 4 + 2] = image.rgb[src * 3 + 0];
      out[row + x * 4 + 3] = fourth.empty() ? 255 : fourth[src];
    }
  }
  return out;
}

namespace {
Rgb8Image DecodeJfif(const std::vector<std::uint8_t>& bytes)
{
  jpeg_decompress_struct info{};
  ErrorExit err{};
  info.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnJpegError;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    throw std::runtime_error("JPEG decoding failed");
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  // Decoded as the clock decodes them.
  info.dct_method = JDCT_FLOAT;
  jpeg_start_decompress(&info);
  Rgb8Image img{static_cast<int>(info.output_width), static_cast<int>(info.output_height), {}};
  img.rgb.resize(static_cast<std::size_t>(img.width) * img.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = img.rgb.data() + static_cast<std::size_t>(info.output_scanline) * img.width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return img;
}

std::uint32_t Get32(const std::vector<std::uint8_t>& b, std::size_t at)
{
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
}  // namespace

Rgb8Image DecodePictureFile(const std::vector<std::uint8_t>& bytes)
{
  if (bytes.size() > 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) return DecodeJfif(bytes);
  if (bytes.size() < kBmpHeaderBytes || bytes[0] != 'B' || bytes[1] != 'M') throw std::runtime_error("not a picture file");
  const int w = static_cast<int>(Get32(bytes, 18)), h = static_cast<int>(Get32(bytes, 22));
  if (w <= 0 || h <= 0 || bytes.size() < kBmpHeaderBytes + static_cast<std::size_t>(w) * h * 4)
    throw std::runtime_error("truncated bitmap");
  Rgb8Image img{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::size_t src = kBmpHeaderBytes + (static_cast<std::size_t>(h - 1 - y) * w + x) * 4;
      const std::size_t dst = (static_cast<std::size_t>(y) * w + x) * 3;
      img.rgb[dst] = bytes[src + 2];
      img.rgb[dst + 1] = bytes[src + 1];
      img.rgb[dst + 2] = bytes[src];
    }
  return img;
}
