// Turns the embedded picture files into top-down blue, green, red pixels.
#include "skins/PictureDecoder.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include <jpeglib.h>

#include "model/TickoraError.h"

namespace {
// Far above any built-in picture; stops a damaged header from asking for gigabytes.
constexpr std::uint32_t kMaxPictureSide = 4096;

constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::uint32_t kBmpInfoHeaderSize = 40;
constexpr std::uint32_t kBmpBitsPerPixel = 32;
constexpr std::uint32_t kBmpNoCompression = 0;  // BI_RGB
constexpr std::size_t kBmpBytesPerPixel = 4;

// ---- JPEG ----

// libjpeg's floating-point inverse DCT gives other bytes on other processors: its x86 SIMD code rounds
// each sample once at the end, its C code (arm64 has no SIMD version) adds the level shift before the
// last sums and truncates, and compilers may fuse its multiply-adds. The pictures are decoded with the
// steps below instead, in single precision, each rounded as it is written and nothing fused
// (-ffp-contract=off): x86's bytes on every processor.

// The scale factors of the Arai-Agui-Nakajima transform, sqrt(2) cos(k pi / 16), as libjpeg rounds them.
constexpr double kAanScale[DCTSIZE] = {1.0, 1.387039845, 1.306562965, 1.175875602,
                                       1.0, 0.785694958, 0.541196100, 0.275899379};
constexpr float kSqrt2 = 1.414213562f;         // 2 cos(pi / 4)
constexpr float kTwoCos2 = 1.847759065f;       // 2 cos(pi / 8)
constexpr float kTwoCosDiff = 1.082392200f;    // 2 (cos(pi / 8) - cos(3 pi / 8))
constexpr float kTwoCosSum = 2.613125930f;     // 2 (cos(pi / 8) + cos(3 pi / 8))

// One 8-point inverse transform of the scaled coefficients in[0], in[step] ... into out likewise.
void InverseAan(const float* in, int step, float* out, int outStep)
{
  const float even0 = in[0] + in[4 * step];
  const float even1 = in[0] - in[4 * step];
  const float sum26 = in[2 * step] + in[6 * step];
  const float diff26 = (in[2 * step] - in[6 * step]) * kSqrt2 - sum26;
  const float e0 = even0 + sum26;
  const float e3 = even0 - sum26;
  const float e1 = even1 + diff26;
  const float e2 = even1 - diff26;

  const float z13 = in[5 * step] + in[3 * step];
  const float z10 = in[5 * step] - in[3 * step];
  const float z11 = in[step] + in[7 * step];
  const float z12 = in[step] - in[7 * step];
  const float o7 = z11 + z13;
  const float rotated = (z11 - z13) * kSqrt2;
  const float z5 = (z10 + z12) * kTwoCos2;
  const float o6 = (z5 - z10 * kTwoCosSum) - o7;
  const float o5 = rotated - o6;
  const float o4 = (z5 - z12 * kTwoCosDiff) - o5;

  out[0] = e0 + o7;
  out[7 * outStep] = e0 - o7;
  out[outStep] = e1 + o6;
  out[6 * outStep] = e1 - o6;
  out[2 * outStep] = e2 + o5;
  out[5 * outStep] = e2 - o5;
  out[3 * outStep] = e3 + o4;
  out[4 * outStep] = e3 - o4;
}

void InverseDctBlock(j_decompress_ptr, jpeg_component_info* component, JCOEFPTR coefficients, JSAMPARRAY output,
                     JDIMENSION column)
{
  const auto* quantisation = component->quant_table->quantval;
  float block[DCTSIZE2];
  for (int row = 0; row < DCTSIZE; ++row) {
    for (int col = 0; col < DCTSIZE; ++col) {
      const int i = row * DCTSIZE + col;
      const auto multiplier = static_cast<float>(static_cast<double>(quantisation[i]) * kAanScale[row] * kAanScale[col]);
      block[i] = static_cast<float>(coefficients[i]) * multiplier;
    }
  }
  float columns[DCTSIZE2];
  for (int col = 0; col < DCTSIZE; ++col)
    InverseAan(block + col, DCTSIZE, columns + col, DCTSIZE);
  float samples[DCTSIZE2];
  for (int row = 0; row < DCTSIZE; ++row)
    InverseAan(columns + row * DCTSIZE, 1, samples + row * DCTSIZE, 1);
  for (int row = 0; row < DCTSIZE; ++row) {
    JSAMPROW target = output[row] + column;
    for (int col = 0; col < DCTSIZE; ++col) {
      // The transform leaves the samples 8 times too large: scaled exactly, rounded half to even, shifted.
      // A damaged file's wild values are held within reach of the rounding first.
      const float sample = std::clamp(samples[row * DCTSIZE + col] * 0.125f, -1024.0f, 1024.0f);
      const long level = std::lrintf(sample) + CENTERJSAMPLE;
      target[col] = static_cast<JSAMPLE>(std::clamp(level, 0L, static_cast<long>(MAXJSAMPLE)));
    }
  }
}

// libjpeg's inverse-DCT module as every libjpeg 6b-compatible library lays it out (jpegint.h, which
// not every installation ships): the method of each component is chosen anew at the start of each output
// pass, so it is replaced after jpeg_start_decompress.
struct JpegInverseDct {
  void (*startPass)(j_decompress_ptr);
  void (*inverseDct[MAX_COMPONENTS])(j_decompress_ptr, jpeg_component_info*, JCOEFPTR, JSAMPARRAY, JDIMENSION);
};

void UsePortableInverseDct(jpeg_decompress_struct& info)
{
  auto* module = reinterpret_cast<JpegInverseDct*>(info.idct);
  for (int i = 0; i < info.num_components; ++i) {
    // Full-size blocks with their quantisation table at hand only; the pictures are never decoded scaled.
    if (info.comp_info[i].DCT_scaled_size == DCTSIZE && info.comp_info[i].quant_table != nullptr)
      module->inverseDct[i] = InverseDctBlock;
  }
}

// libjpeg reports errors through this; error_exit jumps back to the decoder instead of calling exit().
struct JpegErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOut(j_common_ptr info)
{
  auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->escape, 1);
}

void OnJpegError(j_common_ptr info)
{
  JumpOut(info);
}

// Level -1 is a warning about corrupt data (a truncated file, a bad Huffman code). libjpeg would go on
// and fill the rest with grey, so a damaged picture would paint without complaint: stop instead.
// Higher levels are trace messages and are ignored.
void OnJpegMessage(j_common_ptr info, int level)
{
  if (level < 0)
    JumpOut(info);
}

bool ResizeQuietly(std::vector<std::uint8_t>& bytes, std::size_t size) noexcept
{
  try {
    bytes.resize(size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

enum class JpegOutcome { Decoded, Damaged, TooLarge, NotColour, OutOfMemory };

// Steps 3 to 7 on a created decompressor reading from memory. A libjpeg error jumps out of here to
// RunLibjpeg; every other failure returns its outcome, and RunLibjpeg releases the decompressor.
JpegOutcome ReadPicture(jpeg_decompress_struct& info, JpegErrorManager& manager, Picture& out)
{
  // Step 3: the header gives the size; refuse absurd ones before anything is allocated for them.
  jpeg_read_header(&info, TRUE);
  if (info.image_width > kMaxPictureSide || info.image_height > kMaxPictureSide)
    return JpegOutcome::TooLarge;

  // Step 4: decompression parameters.
  info.scale_num = 1;                   // full size: the synthesis expects 220 x 220 and 35 x 35
  info.scale_denom = 1;
  info.out_color_space = JCS_RGB;       // three 8-bit components, reordered to blue, green, red below
  info.quantize_colors = FALSE;         // true colour, no palette
  info.dct_method = JDCT_FLOAT;         // the inverse DCT the pictures are made for
  info.do_block_smoothing = TRUE;       // only affects progressive files; asked for all the same
  info.buffered_image = FALSE;          // one pass, straight to the output rows
  // do_fancy_upsampling keeps its default (on): the 4:2:0 chroma is interpolated, not replicated.

  // Step 5: start, and check that the output is what the rest of the program reads.
  jpeg_start_decompress(&info);
  UsePortableInverseDct(info);
  if (info.output_components != 3)
    return JpegOutcome::NotColour;
  const std::size_t width = info.output_width;
  const std::size_t height = info.output_height;
  if (!ResizeQuietly(out.bgr, width * height * 3))
    return JpegOutcome::OutOfMemory;
  out.width = static_cast<std::int32_t>(width);
  out.height = static_cast<std::int32_t>(height);

  // Step 6: rows arrive top to bottom as red, green, blue; store them as blue, green, red.
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             static_cast<JDIMENSION>(width * 3), 1);
  while (info.output_scanline < info.output_height) {
    const std::size_t y = info.output_scanline;
    if (jpeg_read_scanlines(&info, row, 1) != 1) {
      // Cannot happen with a memory source, which never suspends; never spin on it.
      std::snprintf(manager.message, sizeof manager.message, "no more rows after row %zu", y);
      return JpegOutcome::Damaged;
    }
    std::uint8_t* target = out.bgr.data() + y * width * 3;
    for (std::size_t x = 0; x < width; ++x) {
      target[3 * x + 0] = row[0][3 * x + 2];
      target[3 * x + 1] = row[0][3 * x + 1];
      target[3 * x + 2] = row[0][3 * x + 0];
    }
  }

  // Step 7: finish (this still reads up to the end-of-image marker).
  jpeg_finish_decompress(&info);
  return JpegOutcome::Decoded;
}

// All libjpeg calls start here. longjmp lands in this frame, which holds nothing with a destructor; the
// outcome is volatile so a jump cannot leave it stale, and the decompressor lives in the caller. On failure
// `manager.message` says what libjpeg found wrong.
JpegOutcome RunLibjpeg(const unsigned char* data, std::size_t size, jpeg_decompress_struct& info,
                       JpegErrorManager& manager, Picture& out)
{
  // Steps 1 and 2: a decompressor whose error handler returns here rather than ending the process,
  // reading straight from the embedded bytes.
  info.err = jpeg_std_error(&manager.base);
  manager.base.error_exit = OnJpegError;
  manager.base.emit_message = OnJpegMessage;
  manager.message[0] = '\0';
  volatile JpegOutcome outcome = JpegOutcome::Damaged;
  if (setjmp(manager.escape) == 0) {
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    outcome = ReadPicture(info, manager, out);
  }
  // The one release, whatever happened (destroying a decompressor never created is harmless).
  jpeg_destroy_decompress(&info);
  return outcome;
}

// ---- BMP ----

std::uint32_t ReadU32(std::span<const unsigned char> bytes, std::size_t at)
{
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint32_t ReadU16(std::span<const unsigned char> bytes, std::size_t at)
{
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::int32_t ReadI32(std::span<const unsigned char> bytes, std::size_t at)
{
  return static_cast<std::int32_t>(ReadU32(bytes, at));
}

[[noreturn]] void BadBmp(const std::string& reason)
{
  throw TickoraError("the bitmap is damaged (" + reason + ")");
}
}  // namespace

Picture DecodeJpeg(std::span<const unsigned char> bytes)
{
  if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8)
    throw TickoraError("the picture is not a JPEG file");
  jpeg_decompress_struct info{};  // zeroed, so a failure before creation leaves nothing to destroy
  JpegErrorManager manager;
  Picture picture;
  switch (RunLibjpeg(bytes.data(), bytes.size(), info, manager, picture)) {
  case JpegOutcome::Decoded:
    return picture;
  case JpegOutcome::Damaged:
    throw TickoraError(std::string("the picture is damaged (") + manager.message + ")");
  case JpegOutcome::TooLarge:
    throw TickoraError("the picture is too large (more than " + std::to_string(kMaxPictureSide) +
                       " pixels on a side)");
  case JpegOutcome::NotColour:
    throw TickoraError("the picture is not a colour picture");
  case JpegOutcome::OutOfMemory:
    throw TickoraError("there is not enough memory to decode the picture");
  }
  throw TickoraError("the picture could not be decoded");
}

Picture DecodeBmp(std::span<const unsigned char> bytes)
{
  // Every field is checked before a single pixel is read.
  if (bytes.size() < kBmpFileHeaderSize + kBmpInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
    throw TickoraError("the picture is not a bitmap file");
  const std::uint32_t fileSize = ReadU32(bytes, 2);
  if (fileSize != bytes.size())
    BadBmp("its header gives " + std::to_string(fileSize) + " bytes, but it has " + std::to_string(bytes.size()));
  const std::uint32_t pixelOffset = ReadU32(bytes, 10);
  if (ReadU32(bytes, 14) != kBmpInfoHeaderSize)
    BadBmp("unknown header size " + std::to_string(ReadU32(bytes, 14)));
  const std::int32_t width = ReadI32(bytes, 18);
  const std::int32_t height = ReadI32(bytes, 22);
  if (width <= 0 || height <= 0)
    BadBmp("size " + std::to_string(width) + " x " + std::to_string(height) + " is not a bottom-up picture");
  if (static_cast<std::uint32_t>(width) > kMaxPictureSide || static_cast<std::uint32_t>(height) > kMaxPictureSide)
    BadBmp("size " + std::to_string(width) + " x " + std::to_string(height) + " is too large");
  if (ReadU16(bytes, 26) != 1)
    BadBmp(std::to_string(ReadU16(bytes, 26)) + " planes");
  if (ReadU16(bytes, 28) != kBmpBitsPerPixel)
    BadBmp(std::to_string(ReadU16(bytes, 28)) + " bits per pixel, not 32");
  if (ReadU32(bytes, 30) != kBmpNoCompression)
    BadBmp("compressed pixel data");
  const std::size_t rowBytes = static_cast<std::size_t>(width) * kBmpBytesPerPixel;
  const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(height);
  if (pixelOffset < kBmpFileHeaderSize + kBmpInfoHeaderSize || pixelOffset > bytes.size() ||
      bytes.size() - pixelOffset < pixelBytes)
    BadBmp("the pixels do not fit in the file");

  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.bgr.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (std::int32_t y = 0; y < height; ++y) {
    // Bottom-up: the top row is the last one in the file.
    const unsigned char* source = bytes.data() + pixelOffset + static_cast<std::size_t>(height - 1 - y) * rowBytes;
    std::uint8_t* target = picture.bgr.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
    for (std::int32_t x = 0; x < width; ++x) {
      std::memcpy(target + 3 * x, source + kBmpBytesPerPixel * static_cast<std::size_t>(x), 3);  // fourth byte unused
    }
  }
  return picture;
}
