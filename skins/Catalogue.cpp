#include "skins/Catalogue.h"

#include <algorithm>

#include "model/ClockSettings.h"
#include "model/TickoraError.h"
#include "skins/EmbeddedPictures.h"
#include "skins/PictureDecoder.h"

namespace {
using enum PictureFamily;
using enum PictureEncoding;

constexpr std::int32_t kFirstSkin = 1;
constexpr std::int32_t kLastSkin = 15;
constexpr std::int32_t kNumeralCount = 12;

// Faces first, then markers by number, then numerals by index, so the lookups below can index directly.
constexpr CatalogueEntry kEntries[] = {
    {"Skin1", Face, Jpeg},     {"Skin2", Face, Jpeg},     {"Skin3", Face, Jpeg},     {"Skin4", Face, Jpeg},
    {"Skin5", Face, Jpeg},     {"Skin6", Face, Jpeg},     {"Skin7", Face, Jpeg},     {"Skin8", Face, Jpeg},
    {"Skin9", Face, Jpeg},     {"Skin10", Face, Jpeg},    {"Skin11", Face, Jpeg},    {"Skin12", Face, Jpeg},
    {"Skin13", Face, Jpeg},    {"Skin14", Face, Jpeg},    {"Skin15", Face, Jpeg},
    {"Skin01", Marker, Bmp},   {"Skin02", Marker, Jpeg},  {"Skin03", Marker, Bmp},   {"Skin04", Marker, Bmp},
    {"Skin05", Marker, Bmp},   {"Skin06", Marker, Bmp},   {"Skin07", Marker, Bmp},   {"Skin08", Marker, Bmp},
    {"Skin09", Marker, Bmp},   {"Skin010", Marker, Bmp},  {"Skin011", Marker, Bmp},  {"Skin012", Marker, Jpeg},
    {"Skin013", Marker, Jpeg}, {"Skin014", Marker, Jpeg},
    {"Digital_0", Numeral, Bmp},  {"Digital_1", Numeral, Bmp},  {"Digital_2", Numeral, Bmp},
    {"Digital_3", Numeral, Bmp},  {"Digital_4", Numeral, Bmp},  {"Digital_5", Numeral, Bmp},
    {"Digital_6", Numeral, Bmp},  {"Digital_7", Numeral, Bmp},  {"Digital_8", Numeral, Bmp},
    {"Digital_9", Numeral, Bmp},  {"Digital_10", Numeral, Bmp}, {"Digital_11", Numeral, Bmp},
};
constexpr std::size_t kFirstFace = 0;
constexpr std::size_t kFirstMarker = 15;
constexpr std::size_t kFirstNumeral = 29;
static_assert(std::size(kEntries) == 41);
}  // namespace

const std::array<Rgb, 16> SkinAccentColours = {{
    {0, 0, 0},  // no skin 0
    {255, 193, 23}, {84, 13, 45},  {255, 235, 0},  {97, 55, 56},   {255, 131, 246},
    {76, 56, 23},   {0, 255, 195}, {62, 76, 203},  {84, 13, 45},   {255, 255, 0},
    {255, 204, 0},  {35, 255, 175}, {103, 14, 0},  {255, 255, 0},  {89, 41, 100},
}};

const std::array<Rgb, 22> MarkerAccentColours = {{
    {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0},  // dial styles 0..7
    {84, 13, 45},  {215, 255, 0}, {36, 31, 24},  {101, 0, 59},  {0, 255, 182}, {255, 71, 255}, {81, 17, 0},
    {14, 255, 255}, {255, 255, 0}, {3, 84, 79},  {0, 64, 0},    {79, 87, 36},  {80, 101, 76},  {255, 219, 0},
}};

std::span<const CatalogueEntry> CatalogueEntries()
{
  return kEntries;
}

const CatalogueEntry* FindCatalogueEntry(std::string_view name)
{
  const auto it = std::find_if(std::begin(kEntries), std::end(kEntries),
                               [name](const CatalogueEntry& entry) { return entry.name == name; });
  return it == std::end(kEntries) ? nullptr : &*it;
}

std::string PictureFileName(const CatalogueEntry& entry)
{
  return std::string(entry.name) + (entry.encoding == Jpeg ? ".jpg" : ".bmp");
}

std::span<const unsigned char> PictureBytes(const CatalogueEntry& entry)
{
  const std::string fileName = PictureFileName(entry);
  for (const EmbeddedPicture& picture : EmbeddedPictures()) {
    if (picture.fileName == fileName)
      return picture.bytes;
  }
  throw TickoraError("The built-in picture " + fileName + " is missing from this build.");
}

std::string_view FaceImageName(std::int32_t skin)
{
  if (skin < kFirstSkin || skin > kLastSkin)
    return {};
  return kEntries[kFirstFace + static_cast<std::size_t>(skin - kFirstSkin)].name;
}

std::string_view MarkerImageName(std::int32_t dialStyle)
{
  if (!IsMarkerDial(dialStyle))
    return {};
  return kEntries[kFirstMarker + static_cast<std::size_t>(dialStyle - kFirstMarkerDialStyle)].name;
}

std::string_view NumeralImageName(std::int32_t index)
{
  if (index < 0 || index >= kNumeralCount)
    return {};
  return kEntries[kFirstNumeral + static_cast<std::size_t>(index)].name;
}

const Picture& PictureCache::Get(std::string_view name)
{
  if (const auto it = decoded_.find(name); it != decoded_.end())
    return it->second;
  const CatalogueEntry* entry = FindCatalogueEntry(name);
  if (!entry)
    throw TickoraError("There is no built-in picture named \"" + std::string(name) + "\".");
  const std::span<const unsigned char> bytes = PictureBytes(*entry);
  Picture picture;
  try {
    if (entry->encoding == Jpeg) {
      ++jpegDecodes_;
      picture = DecodeJpeg(bytes);
    } else {
      picture = DecodeBmp(bytes);
    }
  } catch (const TickoraError& error) {
    // The decoder does not know which picture it was given; the user needs the name.
    throw TickoraError(PictureFileName(*entry) + ": " + error.what());
  }
  return decoded_.emplace(std::string(name), std::move(picture)).first->second;
}
