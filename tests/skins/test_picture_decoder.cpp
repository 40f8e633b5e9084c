// Decoding of well-formed and damaged picture files built in the test.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "model/TickoraError.h"
#include "skins/Catalogue.h"
#include "skins/EmbeddedPictures.h"
#include "skins/PictureDecoder.h"

namespace {
using Bytes = std::vector<unsigned char>;

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

void PutU16(Bytes& bytes, std::size_t at, std::uint32_t value)
{
  bytes[at] = static_cast<unsigned char>(value);
  bytes[at + 1] = static_cast<unsigned char>(value >> 8);
}

// A 32-bit bottom-up BMP; pixel (x, y) from the top is blue x, green y, red 200, fourth byte x * 13.
Bytes MakeBmp(std::int32_t width, std::int32_t height)
{
  const std::size_t size = 54 + static_cast<std::size_t>(width * height) * 4;
  Bytes bmp(size, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  PutU32(bmp, 2, static_cast<std::uint32_t>(size));
  PutU32(bmp, 10, 54);
  PutU32(bmp, 14, 40);
  PutU32(bmp, 18, static_cast<std::uint32_t>(width));
  PutU32(bmp, 22, static_cast<std::uint32_t>(height));
  PutU16(bmp, 26, 1);
  PutU16(bmp, 28, 32);
  PutU32(bmp, 34, static_cast<std::uint32_t>(width * height * 4));
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      unsigned char* p = bmp.data() + 54 + (static_cast<std::size_t>(height - 1 - y) * width + x) * 4;
      p[0] = static_cast<unsigned char>(x);
      p[1] = static_cast<unsigned char>(y);
      p[2] = 200;
      p[3] = static_cast<unsigned char>(x * 13);
    }
  }
  return bmp;
}

// A baseline 4:2:0 JFIF of one flat colour, made with the same library the decoder uses.
Bytes MakeJpeg(JDIMENSION width, JDIMENSION height, int components, unsigned char red, unsigned char green,
               unsigned char blue)
{
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = components;
  info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(width * static_cast<JDIMENSION>(components));
  for (JDIMENSION x = 0; x < width; ++x) {
    if (components == 3) {
      row[3 * x] = red;
      row[3 * x + 1] = green;
      row[3 * x + 2] = blue;
    } else {
      row[x] = green;
    }
  }
  JSAMPROW rows[1] = {row.data()};
  while (info.next_scanline < info.image_height)
    jpeg_write_scanlines(&info, rows, 1);
  jpeg_finish_compress(&info);
  Bytes jpeg(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return jpeg;
}

// What libjpeg's own floating-point inverse DCT makes of a file, as red, green, blue rows.
Bytes LibjpegFloatRgb(std::span<const unsigned char> file)
{
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  info.dct_method = JDCT_FLOAT;
  jpeg_start_decompress(&info);
  Bytes rgb(static_cast<std::size_t>(info.output_width) * info.output_height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = rgb.data() + static_cast<std::size_t>(info.output_scanline) * info.output_width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return rgb;
}

template <typename Decode>
std::string ErrorOf(Decode decode, const Bytes& bytes)
{
  try {
    decode(bytes);
  } catch (const TickoraError& error) {
    return error.what();
  }
  return "decoded";
}
}  // namespace

TEST(DecodeBmp, RowsBottomUpAndFourthByteIgnored)
{
  const Picture picture = DecodeBmp(MakeBmp(5, 3));
  ASSERT_EQ(picture.width, 5);
  ASSERT_EQ(picture.height, 3);
  ASSERT_EQ(picture.bgr.size(), 5u * 3 * 3);
  for (std::int32_t y = 0; y < 3; ++y) {
    for (std::int32_t x = 0; x < 5; ++x) {
      EXPECT_EQ(picture.Pixel(x, y)[0], x);
      EXPECT_EQ(picture.Pixel(x, y)[1], y);
      EXPECT_EQ(picture.Pixel(x, y)[2], 200);
    }
  }
}

TEST(DecodeBmp, DamagedHeadersAreClearErrors)
{
  const struct { const char* what; void (*damage)(Bytes&); const char* message; } cases[] = {
      {"empty", [](Bytes& b) { b.clear(); }, "the picture is not a bitmap file"},
      {"header cut short", [](Bytes& b) { b.resize(53); }, "the picture is not a bitmap file"},
      {"wrong magic", [](Bytes& b) { b[0] = 'P'; }, "the picture is not a bitmap file"},
      {"file cut short", [](Bytes& b) { b.resize(b.size() - 1); }, "its header gives 114 bytes, but it has 113"},
      {"size field too large", [](Bytes& b) { PutU32(b, 2, 100000); }, "its header gives 100000 bytes"},
      {"core header", [](Bytes& b) { PutU32(b, 14, 12); }, "unknown header size 12"},
      {"top-down rows", [](Bytes& b) { PutU32(b, 22, static_cast<std::uint32_t>(-3)); }, "is not a bottom-up picture"},
      {"zero width", [](Bytes& b) { PutU32(b, 18, 0); }, "is not a bottom-up picture"},
      {"absurd width", [](Bytes& b) { PutU32(b, 18, 0x7FFFFFFF); }, "is too large"},
      {"taller than the data", [](Bytes& b) { PutU32(b, 22, 4); }, "the pixels do not fit in the file"},
      {"wider than the data", [](Bytes& b) { PutU32(b, 18, 1000); }, "the pixels do not fit in the file"},
      {"two planes", [](Bytes& b) { PutU16(b, 26, 2); }, "2 planes"},
      {"24 bits", [](Bytes& b) { PutU16(b, 28, 24); }, "24 bits per pixel, not 32"},
      {"bit fields", [](Bytes& b) { PutU32(b, 30, 3); }, "compressed pixel data"},
      {"offset past the end", [](Bytes& b) { PutU32(b, 10, 0xFFFFFFF0u); }, "the pixels do not fit in the file"},
      {"offset into the header", [](Bytes& b) { PutU32(b, 10, 20); }, "the pixels do not fit in the file"},
      {"offset leaves too few bytes", [](Bytes& b) { PutU32(b, 10, 58); }, "the pixels do not fit in the file"},
  };
  for (const auto& c : cases) {
    Bytes bmp = MakeBmp(5, 3);
    c.damage(bmp);
    const std::string message = ErrorOf(DecodeBmp, bmp);
    EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
  }
}

TEST(DecodeJpeg, FlatColourRoundTrips)
{
  const struct { JDIMENSION width, height; int components; unsigned char r, g, b; } cases[] = {
      {220, 220, 3, 255, 128, 0}, {35, 35, 3, 10, 200, 90}, {1, 1, 3, 0, 0, 255}, {17, 9, 1, 0, 77, 0},
  };
  for (const auto& c : cases) {
    const Picture picture = DecodeJpeg(MakeJpeg(c.width, c.height, c.components, c.r, c.g, c.b));
    ASSERT_EQ(picture.width, static_cast<std::int32_t>(c.width));
    ASSERT_EQ(picture.height, static_cast<std::int32_t>(c.height));
    ASSERT_EQ(picture.bgr.size(), static_cast<std::size_t>(c.width * c.height * 3));
    const int red = c.components == 3 ? c.r : c.g, blue = c.components == 3 ? c.b : c.g;
    // Stored blue, green, red; a flat picture survives compression within a few levels.
    for (std::int32_t y = 0; y < picture.height; y += 7) {
      for (std::int32_t x = 0; x < picture.width; x += 5) {
        EXPECT_NEAR(picture.Pixel(x, y)[0], blue, 4) << c.width;
        EXPECT_NEAR(picture.Pixel(x, y)[1], c.g, 4) << c.width;
        EXPECT_NEAR(picture.Pixel(x, y)[2], red, 4) << c.width;
      }
    }
  }
}

// The decoder's own inverse DCT gives every processor the bytes of libjpeg's x86 SIMD code; elsewhere
// libjpeg's C code differs, and the arm64 tests compare the pictures with the amd64 build's instead.
TEST(DecodeJpeg, BuiltInPicturesGetTheBytesOfLibjpegsX86FloatInverseDct)
{
#if !(defined(__x86_64__) || defined(__i386__))
  GTEST_SKIP() << "libjpeg has no SIMD float inverse DCT here";
#endif
  int compared = 0;
  for (const EmbeddedPicture& entry : EmbeddedPictures()) {
    if (!entry.fileName.ends_with(".jpg"))
      continue;
    const Picture picture = DecodeJpeg(entry.bytes);
    const Bytes rgb = LibjpegFloatRgb(entry.bytes);
    ASSERT_EQ(picture.bgr.size(), rgb.size()) << entry.fileName;
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
      ASSERT_TRUE(picture.bgr[i] == rgb[i + 2] && picture.bgr[i + 1] == rgb[i + 1] && picture.bgr[i + 2] == rgb[i])
          << entry.fileName << " pixel " << i / 3;
    }
    ++compared;
  }
  EXPECT_EQ(compared, 19);
}

TEST(DecodeJpeg, BadStreamsAreClearErrors)
{
  const Bytes good = MakeJpeg(64, 64, 3, 30, 60, 90);
  const struct { const char* what; Bytes bytes; const char* message; } cases[] = {
      {"empty", {}, "the picture is not a JPEG file"},
      {"one byte", {0xFF}, "the picture is not a JPEG file"},
      {"a bitmap", MakeBmp(2, 2), "the picture is not a JPEG file"},
      {"start marker only", {0xFF, 0xD8}, "the picture is damaged ("},
      {"cut in the header", Bytes(good.begin(), good.begin() + 100), "the picture is damaged ("},
      {"cut in the data", Bytes(good.begin(), good.begin() + static_cast<long>(good.size() * 3 / 4)),
       "the picture is damaged (Premature end of JPEG file)"},
      {"end marker missing", Bytes(good.begin(), good.end() - 2), "the picture is damaged (Premature end of JPEG file)"},
      {"too wide", MakeJpeg(4097, 8, 3, 0, 0, 0), "the picture is too large"},
  };
  for (const auto& c : cases) {
    const std::string message = ErrorOf(DecodeJpeg, c.bytes);
    EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
  }
  EXPECT_EQ(DecodeJpeg(MakeJpeg(4096, 8, 3, 0, 0, 0)).width, 4096);
}
