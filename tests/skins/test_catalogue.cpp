#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/TickoraError.h"
#include "skins/Catalogue.h"

namespace {
using enum PictureFamily;
using enum PictureEncoding;
}  // namespace

TEST(Catalogue, FortyOneDistinctEntriesInThreeFamilies)
{
  const auto entries = CatalogueEntries();
  ASSERT_EQ(entries.size(), 41u);
  std::set<std::string_view> names;
  int faces = 0, markers = 0, numerals = 0, jpegs = 0;
  for (const CatalogueEntry& entry : entries) {
    names.insert(entry.name);
    faces += entry.family == Face;
    markers += entry.family == Marker;
    numerals += entry.family == Numeral;
    jpegs += entry.encoding == Jpeg;
    EXPECT_EQ(FindCatalogueEntry(entry.name), &entry) << entry.name;
  }
  EXPECT_EQ(names.size(), 41u);
  EXPECT_EQ(faces, 15);
  EXPECT_EQ(markers, 14);
  EXPECT_EQ(numerals, 12);
  EXPECT_EQ(jpegs, 15 + 4);
}

TEST(Catalogue, EntriesByName)
{
  const struct { const char* name; PictureFamily family; PictureEncoding encoding; const char* file; } cases[] = {
      {"Skin1", Face, Jpeg, "Skin1.jpg"},          {"Skin15", Face, Jpeg, "Skin15.jpg"},
      {"Skin10", Face, Jpeg, "Skin10.jpg"},        {"Skin01", Marker, Bmp, "Skin01.bmp"},
      {"Skin02", Marker, Jpeg, "Skin02.jpg"},      {"Skin03", Marker, Bmp, "Skin03.bmp"},
      {"Skin010", Marker, Bmp, "Skin010.bmp"},     {"Skin011", Marker, Bmp, "Skin011.bmp"},
      {"Skin012", Marker, Jpeg, "Skin012.jpg"},    {"Skin013", Marker, Jpeg, "Skin013.jpg"},
      {"Skin014", Marker, Jpeg, "Skin014.jpg"},    {"Digital_0", Numeral, Bmp, "Digital_0.bmp"},
      {"Digital_11", Numeral, Bmp, "Digital_11.bmp"},
  };
  for (const auto& c : cases) {
    const CatalogueEntry* entry = FindCatalogueEntry(c.name);
    ASSERT_NE(entry, nullptr) << c.name;
    EXPECT_EQ(entry->family, c.family) << c.name;
    EXPECT_EQ(entry->encoding, c.encoding) << c.name;
    EXPECT_EQ(PictureFileName(*entry), c.file) << c.name;
  }
  for (const char* unknown : {"", "Skin0", "Skin16", "Skin00", "Skin015", "Digital_12", "skin1", "Skin1.jpg"})
    EXPECT_EQ(FindCatalogueEntry(unknown), nullptr) << unknown;
}

TEST(Catalogue, LookupsByNumber)
{
  const struct { std::string_view (*lookup)(std::int32_t); std::int32_t number; std::string_view name; } cases[] = {
      {FaceImageName, 1, "Skin1"},          {FaceImageName, 9, "Skin9"},         {FaceImageName, 15, "Skin15"},
      {FaceImageName, 0, ""},               {FaceImageName, 16, ""},             {FaceImageName, -1, ""},
      {MarkerImageName, 8, "Skin01"},       {MarkerImageName, 11, "Skin04"},     {MarkerImageName, 17, "Skin010"},
      {MarkerImageName, 21, "Skin014"},     {MarkerImageName, 7, ""},            {MarkerImageName, 22, ""},
      {MarkerImageName, 0, ""},             {NumeralImageName, 0, "Digital_0"},  {NumeralImageName, 11, "Digital_11"},
      {NumeralImageName, -1, ""},           {NumeralImageName, 12, ""},          {FaceImageName, INT32_MIN, ""},
      {MarkerImageName, INT32_MAX, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.lookup(c.number), c.name) << c.number;
  // Every face and marker name found by number is a catalogue entry of that family.
  for (std::int32_t skin = 1; skin <= 15; ++skin)
    EXPECT_EQ(FindCatalogueEntry(FaceImageName(skin))->family, Face) << skin;
  for (std::int32_t style = 8; style <= 21; ++style)
    EXPECT_EQ(FindCatalogueEntry(MarkerImageName(style))->family, Marker) << style;
  for (std::int32_t index = 0; index <= 11; ++index)
    EXPECT_EQ(FindCatalogueEntry(NumeralImageName(index))->family, Numeral) << index;
}

TEST(AccentColours, SkinTable)
{
  const Rgb expected[16] = {
      {0, 0, 0},      {255, 193, 23}, {84, 13, 45},   {255, 235, 0},  {97, 55, 56},  {255, 131, 246},
      {76, 56, 23},   {0, 255, 195},  {62, 76, 203},  {84, 13, 45},   {255, 255, 0}, {255, 204, 0},
      {35, 255, 175}, {103, 14, 0},   {255, 255, 0},  {89, 41, 100},
  };
  for (std::size_t skin = 1; skin <= 15; ++skin) {
    EXPECT_EQ(SkinAccentColours[skin], expected[skin]) << skin;
  }
}

TEST(AccentColours, MarkerTable)
{
  const struct { int dialStyle; Rgb colour; } cases[] = {
      {8, {84, 13, 45}},    {9, {215, 255, 0}},  {10, {36, 31, 24}}, {11, {101, 0, 59}},  {12, {0, 255, 182}},
      {13, {255, 71, 255}}, {14, {81, 17, 0}},   {15, {14, 255, 255}}, {16, {255, 255, 0}}, {17, {3, 84, 79}},
      {18, {0, 64, 0}},     {19, {79, 87, 36}},  {20, {80, 101, 76}}, {21, {255, 219, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MarkerAccentColours[static_cast<std::size_t>(c.dialStyle)], c.colour) << c.dialStyle;
}

TEST(PictureCache, UnknownNameIsAClearError)
{
  PictureCache cache;
  try {
    cache.Get("Skin16");
    FAIL() << "no error";
  } catch (const TickoraError& error) {
    EXPECT_NE(std::string(error.what()).find("Skin16"), std::string::npos) << error.what();
  }
  EXPECT_EQ(cache.jpegDecodeCount(), 0);
}
