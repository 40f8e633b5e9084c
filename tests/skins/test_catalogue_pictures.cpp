// The embedded pictures themselves: their sizes, decode-once, and damaged copies of them.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "model/TickoraError.h"
#include "skins/Catalogue.h"
#include "skins/PictureDecoder.h"
#include "skins/RgbSurface.h"

namespace {
using Bytes = std::vector<unsigned char>;

std::int32_t SideOf(PictureFamily family)
{
  switch (family) {
  case PictureFamily::Face:
    return 220;
  case PictureFamily::Marker:
    return 35;
  case PictureFamily::Numeral:
    return 16;
  }
  return 0;
}

Bytes FileOf(std::string_view name)
{
  const auto bytes = PictureBytes(*FindCatalogueEntry(name));
  return Bytes(bytes.begin(), bytes.end());
}

// Either a decoded picture with a buffer that matches its size, or a TickoraError; anything else
// (another exception, a crash, a read out of bounds under the sanitizers) fails the test.
bool DecodesCleanly(const Bytes& bytes, PictureEncoding encoding)
{
  try {
    const Picture picture = encoding == PictureEncoding::Jpeg ? DecodeJpeg(bytes) : DecodeBmp(bytes);
    EXPECT_GT(picture.width, 0);
    EXPECT_GT(picture.height, 0);
    EXPECT_EQ(picture.bgr.size(), static_cast<std::size_t>(picture.width) * picture.height * 3);
    return true;
  } catch (const TickoraError&) {
    return false;
  }
}

// The offset just past the start-of-scan header: everything before it is tables and frame header.
std::size_t HeaderLength(const Bytes& jpeg)
{
  std::size_t at = 2;
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
    const std::size_t length = static_cast<std::size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3];
    if (jpeg[at + 1] == 0xDA)
      return at + 2 + length;
    at += 2 + length;
  }
  return at;
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}
}  // namespace

TEST(CataloguePictures, EveryPictureDecodesToItsSizeOnce)
{
  PictureCache cache;
  std::set<const Picture*> distinct;
  for (const CatalogueEntry& entry : CatalogueEntries()) {
    const Picture& picture = cache.Get(entry.name);
    const std::int32_t side = SideOf(entry.family);
    EXPECT_EQ(picture.width, side) << entry.name;
    EXPECT_EQ(picture.height, side) << entry.name;
    EXPECT_EQ(picture.bgr.size(), static_cast<std::size_t>(side * side * 3)) << entry.name;
    distinct.insert(&picture);
  }
  EXPECT_EQ(distinct.size(), 41u);
  EXPECT_EQ(cache.jpegDecodeCount(), 19);
  // A second round reuses every decoded picture.
  for (const CatalogueEntry& entry : CatalogueEntries())
    EXPECT_EQ(distinct.count(&cache.Get(entry.name)), 1u) << entry.name;
  EXPECT_EQ(cache.jpegDecodeCount(), 19);
}

TEST(CataloguePictures, MarkerJpegIsDecodedOnceAndSwitchingBackIsFree)
{
  PictureCache cache;
  RgbSurface marker;
  RgbSurface handTexture;
  marker.SetSurfaceWidth(35);
  marker.SetSurfaceHeight(35);
  handTexture.SetSurfaceWidth(30);
  handTexture.SetSurfaceHeight(120);
  // Dial styles as a user might pick them in turn: JPEG markers 9, 19 and 20, a BMP marker, then back.
  const struct { std::int32_t dialStyle; int decodesAfter; } steps[] = {
      {9, 1}, {19, 2}, {8, 2}, {9, 2}, {20, 3}, {19, 3}, {9, 3},
  };
  for (const auto& step : steps) {
    const std::string_view name = MarkerImageName(step.dialStyle);
    marker.PaintStretched({0, 0, 35, 35}, cache.Get(name));
    handTexture.PaintStretched({0, 0, 30, 120}, cache.Get(name));
    EXPECT_EQ(cache.jpegDecodeCount(), step.decodesAfter) << step.dialStyle;
    // The marker surface is an exact copy of the picture.
    const Picture& picture = cache.Get(name);
    for (std::int32_t y = 0; y < 35; ++y)
      ASSERT_EQ(0, std::memcmp(marker.ScanRow(y), picture.Pixel(0, y), 35 * 3)) << name << " row " << y;
  }
}

TEST(CataloguePictures, NumeralsPaintAsPureGreysWhateverTheFourthByte)
{
  // Digital_0 carries other values than 255 in the unused fourth byte of some pixels.
  const Bytes digital0 = FileOf("Digital_0");
  std::set<unsigned char> fourthBytes;
  for (std::size_t at = 54 + 3; at < digital0.size(); at += 4)
    fourthBytes.insert(digital0[at]);
  EXPECT_GT(fourthBytes.size(), 1u);

  PictureCache cache;
  RgbSurface numeral;
  numeral.SetSurfaceWidth(16);
  numeral.SetSurfaceHeight(16);
  for (std::int32_t index = 0; index < 12; ++index) {
    numeral.PaintAt(0, 0, cache.Get(NumeralImageName(index)));
    int lit = 0;
    for (std::int32_t y = 0; y < 16; ++y) {
      const std::uint8_t* row = numeral.ScanRow(y);
      for (std::int32_t x = 0; x < 16; ++x) {
        EXPECT_EQ(row[3 * x], row[3 * x + 1]) << index << " at " << x << "," << y;
        EXPECT_EQ(row[3 * x], row[3 * x + 2]) << index << " at " << x << "," << y;
        lit += row[3 * x] > 0;
      }
    }
    EXPECT_GT(lit, 0) << "numeral " << index << " is blank";
  }
  EXPECT_EQ(cache.jpegDecodeCount(), 0);
}

TEST(DamagedPictures, TruncatedJpegsAreErrors)
{
  for (const CatalogueEntry& entry : CatalogueEntries()) {
    if (entry.encoding != PictureEncoding::Jpeg)
      continue;
    const Bytes file = FileOf(entry.name);
    ASSERT_GT(file.size(), 400u) << entry.name;
    for (const std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{20}, std::size_t{200},
                                     HeaderLength(file), file.size() / 3, file.size() / 2, file.size() - 100,
                                     file.size() - 2, file.size() - 1}) {
      const Bytes cut(file.begin(), file.begin() + static_cast<long>(length));
      EXPECT_FALSE(DecodesCleanly(cut, PictureEncoding::Jpeg)) << entry.name << " cut to " << length;
    }
    EXPECT_TRUE(DecodesCleanly(file, PictureEncoding::Jpeg)) << entry.name;
  }
}

TEST(DamagedPictures, FlippedJpegHeaderBytesNeverCrash)
{
  for (const std::string_view name : {"Skin1", "Skin02"}) {
    const Bytes file = FileOf(name);
    const std::size_t header = HeaderLength(file);
    ASSERT_GT(header, 100u) << name;
    int refused = 0;
    for (std::size_t at = 0; at < header; ++at) {
      Bytes damaged = file;
      damaged[at] ^= 0xFF;
      refused += !DecodesCleanly(damaged, PictureEncoding::Jpeg);
    }
    // The markers themselves are structure: breaking any of them must be refused.
    for (const std::size_t at : {std::size_t{0}, std::size_t{1}, header - 1}) {
      Bytes damaged = file;
      damaged[at] ^= 0xFF;
      EXPECT_FALSE(DecodesCleanly(damaged, PictureEncoding::Jpeg)) << name << " byte " << at;
    }
    EXPECT_GT(refused, 0) << name;
  }
}

TEST(DamagedPictures, DamagedBmpHeadersAreErrors)
{
  const struct { const char* what; void (*damage)(Bytes&); } cases[] = {
      {"wrong magic", [](Bytes& b) { b[1] = 'A'; }},
      {"cut short", [](Bytes& b) { b.resize(b.size() - 4); }},
      {"cut to its header", [](Bytes& b) { b.resize(54); }},
      {"one byte more", [](Bytes& b) { b.push_back(0); }},
      {"wrong size field", [](Bytes& b) { PutU32(b, 2, 4955); }},
      {"24 bits per pixel", [](Bytes& b) { b[28] = 24; }},
      {"8 bits per pixel", [](Bytes& b) { b[28] = 8; }},
      {"pixel offset past the end", [](Bytes& b) { PutU32(b, 10, 5000); }},
      {"pixel offset shifted", [](Bytes& b) { PutU32(b, 10, 60); }},
      {"height doubled", [](Bytes& b) { PutU32(b, 22, 70); }},
      {"height negative", [](Bytes& b) { PutU32(b, 22, static_cast<std::uint32_t>(-35)); }},
      {"height absurd", [](Bytes& b) { PutU32(b, 22, 0x40000000); }},
      {"width doubled", [](Bytes& b) { PutU32(b, 18, 70); }},
      {"run-length compressed", [](Bytes& b) { b[30] = 1; }},
      {"OS/2 header", [](Bytes& b) { PutU32(b, 14, 12); }},
  };
  for (const std::string_view name : {"Skin01", "Digital_0"}) {
    const Bytes file = FileOf(name);
    ASSERT_TRUE(DecodesCleanly(file, PictureEncoding::Bmp)) << name;
    for (const auto& c : cases) {
      Bytes damaged = file;
      c.damage(damaged);
      EXPECT_FALSE(DecodesCleanly(damaged, PictureEncoding::Bmp)) << name << ": " << c.what;
    }
  }
}
