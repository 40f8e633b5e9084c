// Guards the committed picture files against a careless regeneration: every encoding property the
// program relies on, the numeral stroke rules, and that the generator reproduces the files exactly.
#include <algorithm>
#include <cmath>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

const fs::path kPictureDir = fs::path(TICKORA_SOURCE_DIR) / "skins" / "pictures";
const fs::path kGenerator = fs::path(TICKORA_BINARY_DIR) / "skingen";

enum class Kind { Face, MarkerJpeg, MarkerBmp, Numeral };

struct Expected {
  std::string file;
  Kind kind;
  int size;  // width and height
};

void PrintTo(const Expected& e, std::ostream* os) { *os << e.file; }

std::vector<Expected> AllExpected()
{
  std::vector<Expected> out;
  for (int i = 1; i <= 15; ++i) out.push_back({"Skin" + std::to_string(i) + ".jpg", Kind::Face, 220});
  for (int i = 1; i <= 14; ++i) {
    const bool jpeg = i == 2 || i == 12 || i == 13 || i == 14;
    out.push_back({"Skin0" + std::to_string(i) + (jpeg ? ".jpg" : ".bmp"), jpeg ? Kind::MarkerJpeg : Kind::MarkerBmp, 35});
  }
  for (int i = 0; i < 12; ++i) out.push_back({"Digital_" + std::to_string(i) + ".bmp", Kind::Numeral, 16});
  return out;
}

Bytes ReadFile(const fs::path& path)
{
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int Be16(const Bytes& b, std::size_t at) { return b.at(at) << 8 | b.at(at + 1); }
std::uint32_t Le16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t Le32(const Bytes& b, std::size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

// What the marker segments of a JPEG file declare.
struct JpegLayout {
  bool soi = false, eoi = false, jfif = false;
  int jfifMajor = -1, jfifMinor = -1, densityUnit = -1, xDensity = -1, yDensity = -1;
  std::vector<int> frameMarkers;           // SOFn markers seen
  int precision = -1, width = -1, height = -1;
  std::vector<std::array<int, 3>> components;  // id, sampling byte, quantisation table
  std::vector<int> quantTables;            // Pq << 4 | Tq of each table
  std::vector<int> huffmanTables;          // Tc << 4 | Th of each table
  std::vector<std::array<int, 2>> scanTables;  // component id, DC << 4 | AC
  int scans = 0, ss = -1, se = -1, approx = -1;
  bool restartInterval = false, restartMarkerInData = false;
};

JpegLayout ParseJpeg(const Bytes& b)
{
  JpegLayout j;
  j.soi = b.size() > 4 && b[0] == 0xFF && b[1] == 0xD8;
  j.eoi = b.size() > 4 && b[b.size() - 2] == 0xFF && b[b.size() - 1] == 0xD9;
  std::size_t i = 2;
  while (i + 4 <= b.size() && b[i] == 0xFF) {
    const int marker = b[i + 1];
    const std::size_t length = static_cast<std::size_t>(Be16(b, i + 2));
    const std::size_t seg = i + 4, end = i + 2 + length;
    if (end > b.size()) break;
    if (marker == 0xE0 && length >= 16 && std::string(b.begin() + seg, b.begin() + seg + 5) == std::string("JFIF\0", 5)) {
      j.jfif = true;
      j.jfifMajor = b[seg + 5];
      j.jfifMinor = b[seg + 6];
      j.densityUnit = b[seg + 7];
      j.xDensity = Be16(b, seg + 8);
      j.yDensity = Be16(b, seg + 10);
    } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      j.frameMarkers.push_back(marker);
      j.precision = b[seg];
      j.height = Be16(b, seg + 1);
      j.width = Be16(b, seg + 3);
      for (int c = 0; c < b[seg + 5]; ++c)
        j.components.push_back({b[seg + 6 + c * 3], b[seg + 7 + c * 3], b[seg + 8 + c * 3]});
    } else if (marker == 0xDB) {
      for (std::size_t t = seg; t < end;) {
        j.quantTables.push_back(b[t]);
        t += 1 + ((b[t] >> 4) ? 128 : 64);
      }
    } else if (marker == 0xC4) {
      for (std::size_t t = seg; t + 17 <= end;) {
        j.huffmanTables.push_back(b[t]);
        int count = 0;
        for (int k = 1; k <= 16; ++k) count += b[t + k];
        t += 17 + static_cast<std::size_t>(count);
      }
    } else if (marker == 0xDD) {
      j.restartInterval = true;
    } else if (marker == 0xDA) {
      ++j.scans;
      const int n = b[seg];
      for (int c = 0; c < n; ++c) j.scanTables.push_back({b[seg + 1 + c * 2], b[seg + 2 + c * 2]});
      j.ss = b[seg + 1 + n * 2];
      j.se = b[seg + 2 + n * 2];
      j.approx = b[seg + 3 + n * 2];
      // Entropy-coded data runs to the next marker that is not a stuffed byte; RSTn would show here.
      std::size_t k = end;
      while (k + 1 < b.size()) {
        if (b[k] == 0xFF && b[k + 1] != 0x00) {
          if (b[k + 1] >= 0xD0 && b[k + 1] <= 0xD7) j.restartMarkerInData = true;
          else break;
        }
        ++k;
      }
      i = k;
      if (k + 1 < b.size() && b[k + 1] == 0xD9) break;
      continue;
    }
    i = end;
  }
  return j;
}

struct ErrorExit {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

void OnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorExit*>(info->err)->jump, 1); }

// Decodes with libjpeg, the way the program will; false if the library reports any error or warning.
// The pixels come back as red, green, blue rows from the top.
bool DecodesCleanly(const Bytes& bytes, int& width, int& height, std::vector<unsigned char>* rgb = nullptr)
{
  jpeg_decompress_struct info{};
  ErrorExit err{};
  info.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnError;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  info.dct_method = JDCT_FLOAT;
  jpeg_start_decompress(&info);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(info.output_width) * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW p = row.data();
    jpeg_read_scanlines(&info, &p, 1);
    if (rgb) rgb->insert(rgb->end(), row.begin(), row.end());
  }
  jpeg_finish_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  const long warnings = err.mgr.num_warnings;
  jpeg_destroy_decompress(&info);
  return warnings == 0;
}

// A 32-bit bottom-up BMP read back as rows from the top: blue, green, red, fourth byte.
struct Bmp32 {
  int width = 0, height = 0;
  std::vector<std::array<int, 4>> pixels;
  std::array<int, 4> At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Bmp32 ReadBmp32(const Bytes& b)
{
  Bmp32 img;
  img.width = static_cast<int>(Le32(b, 18));
  img.height = static_cast<int>(Le32(b, 22));
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      const std::size_t at = 54 + (static_cast<std::size_t>(img.height - 1 - y) * img.width + x) * 4;
      img.pixels.push_back({b.at(at), b.at(at + 1), b.at(at + 2), b.at(at + 3)});
    }
  return img;
}

class PictureFiles : public ::testing::TestWithParam<Expected> {};

TEST(PictureFiles, TheDirectoryHoldsExactlyTheCatalogue)
{
  std::vector<std::string> present;
  for (const auto& entry : fs::directory_iterator(kPictureDir)) present.push_back(entry.path().filename().string());
  std::vector<std::string> expected;
  for (const Expected& e : AllExpected()) expected.push_back(e.file);
  std::sort(present.begin(), present.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(present, expected);
}

TEST_P(PictureFiles, EncodingMatchesTheCatalogue)
{
  const Expected& e = GetParam();
  const Bytes b = ReadFile(kPictureDir / e.file);
  ASSERT_FALSE(b.empty()) << e.file;
  if (e.kind == Kind::Face || e.kind == Kind::MarkerJpeg) {
    const JpegLayout j = ParseJpeg(b);
    EXPECT_TRUE(j.soi && j.eoi);
    EXPECT_TRUE(j.jfif);
    EXPECT_EQ(j.jfifMajor, 1);
    EXPECT_EQ(j.jfifMinor, 1);
    EXPECT_EQ(j.densityUnit, 1);  // dots per inch
    EXPECT_EQ(j.xDensity, 96);
    EXPECT_EQ(j.yDensity, 96);
    EXPECT_EQ(j.frameMarkers, std::vector<int>{0xC0}) << "one baseline sequential frame";
    EXPECT_EQ(j.precision, 8);
    EXPECT_EQ(j.width, e.size);
    EXPECT_EQ(j.height, e.size);
    const std::vector<std::array<int, 3>> components{{1, 0x22, 0}, {2, 0x11, 1}, {3, 0x11, 1}};
    EXPECT_EQ(j.components, components);
    std::vector<int> quant = j.quantTables;
    std::sort(quant.begin(), quant.end());
    EXPECT_EQ(quant, (std::vector<int>{0x00, 0x01})) << "two 8-bit tables, 0 and 1";
    std::vector<int> huff = j.huffmanTables;
    std::sort(huff.begin(), huff.end());
    EXPECT_EQ(huff, (std::vector<int>{0x00, 0x01, 0x10, 0x11}));
    EXPECT_EQ(j.scans, 1);
    const std::vector<std::array<int, 2>> scan{{1, 0x00}, {2, 0x11}, {3, 0x11}};
    EXPECT_EQ(j.scanTables, scan);
    EXPECT_EQ(j.ss, 0);
    EXPECT_EQ(j.se, 63);
    EXPECT_EQ(j.approx, 0);
    EXPECT_FALSE(j.restartInterval);
    EXPECT_FALSE(j.restartMarkerInData);
    const auto [low, high] = e.kind == Kind::Face ? std::pair{4700u, 12800u} : std::pair{700u, 1100u};
    EXPECT_GE(b.size(), low);
    EXPECT_LE(b.size(), high);
    int w = 0, h = 0;
    EXPECT_TRUE(DecodesCleanly(b, w, h));
    EXPECT_EQ(w, e.size);
    EXPECT_EQ(h, e.size);
  } else {
    const std::size_t pixelBytes = static_cast<std::size_t>(e.size) * e.size * 4;
    EXPECT_EQ(b.size(), e.kind == Kind::Numeral ? 1078u : 4954u);
    ASSERT_EQ(b.size(), 54 + pixelBytes);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Le32(b, 2), b.size());
    EXPECT_EQ(Le32(b, 6), 0u);
    EXPECT_EQ(Le32(b, 10), 54u) << "pixel data offset";
    EXPECT_EQ(Le32(b, 14), 40u) << "information header size";
    EXPECT_EQ(Le32(b, 18), static_cast<std::uint32_t>(e.size));
    EXPECT_EQ(Le32(b, 22), static_cast<std::uint32_t>(e.size)) << "positive height: bottom-up rows";
    EXPECT_EQ(Le16(b, 26), 1u) << "planes";
    EXPECT_EQ(Le16(b, 28), 32u) << "bits per pixel";
    EXPECT_EQ(Le32(b, 30), 0u) << "no compression";
    EXPECT_EQ(Le32(b, 46), 0u) << "no colour table";
  }
}

std::string FileParamName(const ::testing::TestParamInfo<Expected>& info)
{
  std::string name = info.param.file;
  std::replace(name.begin(), name.end(), '.', '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(All, PictureFiles, ::testing::ValuesIn(AllExpected()), FileParamName);

std::vector<Expected> Numerals()
{
  std::vector<Expected> out;
  for (const Expected& e : AllExpected())
    if (e.kind == Kind::Numeral) out.push_back(e);
  return out;
}

class NumeralGlyphs : public ::testing::TestWithParam<Expected> {};

TEST_P(NumeralGlyphs, GreyStrokesWithCoreAndEdge)
{
  const Expected& e = GetParam();
  const Bmp32 img = ReadBmp32(ReadFile(kPictureDir / e.file));
  ASSERT_EQ(img.width, 16);
  auto value = [&img](int x, int y) { return x < 0 || y < 0 || x >= 16 || y >= 16 ? 0 : img.At(x, y)[0]; };
  std::map<int, int> edgeCounts;
  int cores = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const auto p = img.At(x, y);
      ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << "not grey at " << x << "," << y;
      const int v = p[0];
      if (v == 255) {
        ++cores;
        // A core pixel is flanked by stroke, never directly by background.
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
          EXPECT_NE(value(x + dx, y + dy), 0) << "core touches background at " << x << "," << y;
        // The core is one pixel wide: no 2x2 block of core.
        EXPECT_FALSE(value(x + 1, y) == 255 && value(x, y + 1) == 255 && value(x + 1, y + 1) == 255)
            << "thick core at " << x << "," << y;
      } else if (v != 0) {
        EXPECT_GE(v, 157);
        EXPECT_LE(v, 243);
        ++edgeCounts[v];
        bool nextToCore = false;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) nextToCore = nextToCore || value(x + dx, y + dy) == 255;
        EXPECT_TRUE(nextToCore) << "edge pixel away from any stroke at " << x << "," << y;
      }
    }
  EXPECT_GT(cores, 10);
  ASSERT_FALSE(edgeCounts.empty());
  const auto mostCommon = std::max_element(edgeCounts.begin(), edgeCounts.end(),
                                           [](auto a, auto b) { return a.second < b.second; });
  EXPECT_EQ(mostCommon->first, 202);
}

TEST_P(NumeralGlyphs, SpanAllRowsAndTheirColumns)
{
  const Expected& e = GetParam();
  const Bmp32 img = ReadBmp32(ReadFile(kPictureDir / e.file));
  int left = 16, right = -1;
  for (int y = 0; y < 16; ++y) {
    bool lit = false;
    for (int x = 0; x < 16; ++x)
      if (img.At(x, y)[0] != 0) {
        lit = true;
        left = std::min(left, x);
        right = std::max(right, x);
      }
    EXPECT_TRUE(lit) << "row " << y << " is empty";
  }
  const int index = std::stoi(e.file.substr(e.file.find('_') + 1));
  const bool twoDigits = index == 0 || index >= 10;
  if (twoDigits) {
    EXPECT_LE(left, 1);
    EXPECT_GE(right, 14);
  } else {
    EXPECT_GE(left, 2);
    EXPECT_LE(right, 13);
    EXPECT_GE(right - left, index == 1 ? 5 : 8);
  }
}

TEST_P(NumeralGlyphs, FourthByteVariesOnlyInTheTwelve)
{
  const Expected& e = GetParam();
  const Bmp32 img = ReadBmp32(ReadFile(kPictureDir / e.file));
  std::map<int, int> fourth;
  for (const auto& p : img.pixels) ++fourth[p[3]];
  if (e.file == "Digital_0.bmp") {
    EXPECT_GT(fourth[200], 0);
    EXPECT_GT(fourth[227], 0);
    EXPECT_GT(fourth[255], 200) << "255 almost everywhere";
  } else {
    EXPECT_EQ(fourth.size(), 1u);
    EXPECT_EQ(fourth.begin()->first, 255);
  }
}

INSTANTIATE_TEST_SUITE_P(All, NumeralGlyphs, ::testing::ValuesIn(Numerals()), FileParamName);

// No two of these files hold the same bytes once `prepare` has run on them. The bytes are keyed as a
// string: GCC 12 at -O3 misreads the comparison of byte vectors.
void ExpectDistinct(const std::vector<Expected>& files, void (*prepare)(Bytes&))
{
  std::map<std::string, std::string> seen;
  for (const Expected& e : files) {
    Bytes bytes = ReadFile(kPictureDir / e.file);
    prepare(bytes);
    const std::string b(bytes.begin(), bytes.end());
    EXPECT_TRUE(seen.emplace(b, e.file).second) << e.file << " repeats " << seen[b];
  }
}

TEST(PictureFiles, NumeralsAreDistinctGlyphs)
{
  ExpectDistinct(Numerals(), [](Bytes& b) {
    for (std::size_t i = 57; i < b.size(); i += 4) b[i] = 255;  // the fourth byte does not make a glyph
  });
}

TEST(PictureFiles, TwoDigitNumeralsBeginWithTheSameOne)
{
  // 12, 10 and 11 share their leading 1, and 11 is that 1 twice.
  auto grey = [](const std::string& file) {
    const Bmp32 img = ReadBmp32(ReadFile(kPictureDir / file));
    std::vector<std::vector<int>> rows(16, std::vector<int>(16));
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = img.At(x, y)[0];
    return rows;
  };
  auto half = [](const std::vector<std::vector<int>>& rows, int from) {
    std::vector<std::vector<int>> out;
    for (const auto& row : rows) out.emplace_back(row.begin() + from, row.begin() + from + 8);
    return out;
  };
  const auto twelve = grey("Digital_0.bmp"), ten = grey("Digital_10.bmp"), eleven = grey("Digital_11.bmp");
  EXPECT_EQ(half(twelve, 0), half(ten, 0));
  EXPECT_EQ(half(eleven, 0), half(ten, 0));
  EXPECT_EQ(half(eleven, 8), half(eleven, 0));
  EXPECT_NE(half(twelve, 8), half(ten, 8));
}

TEST(PictureFiles, MarkerBitmapsKeepTheFourthByteAt255)
{
  for (const Expected& e : AllExpected()) {
    if (e.kind != Kind::MarkerBmp) continue;
    const Bmp32 img = ReadBmp32(ReadFile(kPictureDir / e.file));
    for (const auto& p : img.pixels) ASSERT_EQ(p[3], 255) << e.file;
  }
}

// Red, green, blue of a face or marker, whatever its encoding.
std::vector<unsigned char> DecodeRgb(const Expected& e)
{
  const Bytes b = ReadFile(kPictureDir / e.file);
  std::vector<unsigned char> rgb;
  if (e.kind == Kind::MarkerBmp) {
    for (const auto& p : ReadBmp32(b).pixels) rgb.insert(rgb.end(), {static_cast<unsigned char>(p[2]), static_cast<unsigned char>(p[1]), static_cast<unsigned char>(p[0])});
  } else {
    int w = 0, h = 0;
    DecodesCleanly(b, w, h, &rgb);
  }
  return rgb;
}

TEST(PictureFiles, EverySubjectStandsOutFromItsCorners)
{
  // Only the inscribed disc reaches the screen, so the subject must fill it: the middle of the disc
  // has to differ clearly from the photo background in the corners.
  constexpr double kMinDifference = 20;
  for (const Expected& e : AllExpected()) {
    if (e.kind == Kind::Numeral) continue;
    const std::vector<unsigned char> rgb = DecodeRgb(e);
    ASSERT_EQ(rgb.size(), static_cast<std::size_t>(e.size * e.size * 3)) << e.file;
    std::array<double, 3> middle{}, corners{};
    int inMiddle = 0, inCorners = 0;
    for (int y = 0; y < e.size; ++y)
      for (int x = 0; x < e.size; ++x) {
        const double u = 2.0 * (x + 0.5) / e.size - 1, v = 2.0 * (y + 0.5) / e.size - 1, r = std::sqrt(u * u + v * v);
        std::array<double, 3>* sum = r < 0.6 ? &middle : r > 1.08 ? &corners : nullptr;
        if (!sum) continue;
        for (int c = 0; c < 3; ++c) (*sum)[static_cast<std::size_t>(c)] += rgb[static_cast<std::size_t>((y * e.size + x) * 3 + c)];
        ++(r < 0.6 ? inMiddle : inCorners);
      }
    double difference = 0;
    for (std::size_t c = 0; c < 3; ++c) difference += std::abs(middle[c] / inMiddle - corners[c] / inCorners);
    EXPECT_GT(difference, kMinDifference) << e.file;
  }
}

TEST(PictureFiles, NoTwoPicturesAreTheSame)
{
  std::vector<Expected> pictures;
  for (const Expected& e : AllExpected()) {
    if (e.kind != Kind::Numeral)
      pictures.push_back(e);
  }
  ExpectDistinct(pictures, [](Bytes&) {});
}

// Built by appending: GCC 12 at -O3 takes the concatenation for an overlapping copy.
std::string Quoted(const fs::path& p)
{
  std::string quoted(1, '"');
  quoted += p.string();
  quoted += '"';
  return quoted;
}

TEST(PictureGenerator, RejectsBadArguments)
{
  if (!fs::exists(kGenerator)) GTEST_SKIP() << "skingen is not built";
  const fs::path base = fs::temp_directory_path() / ("tickora-skingen-args-" + std::to_string(getpid()));
  fs::create_directories(base);
  std::ofstream(base / "a-file") << "not a directory";
  struct Case {
    std::string arguments;
    int exitCode;
  };
  const std::vector<Case> cases{
      {"", 2},                                           // no output directory
      {Quoted(base / "out") + " --frobnicate", 2},       // unknown option
      {Quoted(base / "out") + " --sheet", 2},            // option without its value
      {Quoted(base / "a-file" / "out"), 1},              // cannot create the directory
      {"--help", 0},
  };
  for (const Case& c : cases) {
    const std::string command = Quoted(kGenerator) + " " + c.arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << command;
    EXPECT_EQ(WEXITSTATUS(status), c.exitCode) << command;
  }
  EXPECT_FALSE(fs::exists(base / "out")) << "nothing is written for a rejected command line";
  fs::remove_all(base);
}

TEST(PictureGenerator, ReproducesTheCommittedFilesByteForByte)
{
  if (!fs::exists(kGenerator)) GTEST_SKIP() << "skingen is not built";
  const fs::path base = fs::temp_directory_path() / ("tickora-skingen-" + std::to_string(getpid()));
  for (const char* run : {"first", "second"}) {
    const fs::path out = base / run;
    // The second run also draws the contact sheet, which must not disturb the pictures.
    const bool sheet = std::string(run) == "second";
    const std::string command = Quoted(kGenerator) + " " + Quoted(out) + (sheet ? " --sheet " + Quoted(base / "sheet.png") : "");
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const Expected& e : AllExpected())
      EXPECT_TRUE(ReadFile(out / e.file) == ReadFile(kPictureDir / e.file)) << run << " run differs in " << e.file;
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 41) << "only the pictures";
  }
  const Bytes png = ReadFile(base / "sheet.png");
  ASSERT_GT(png.size(), 8u);
  EXPECT_TRUE(std::equal(png.begin(), png.begin() + 8, Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}.begin()));
  fs::remove_all(base);
}
}  // namespace
