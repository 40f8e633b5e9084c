#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "skins/Picture.h"

struct Rgb {
  std::int32_t red = 0;
  std::int32_t green = 0;
  std::int32_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

enum class PictureFamily { Face, Marker, Numeral };
enum class PictureEncoding { Jpeg, Bmp };

struct CatalogueEntry {
  std::string_view name;  // the catalogue key: "Skin1", "Skin04", "Digital_0"
  PictureFamily family;
  PictureEncoding encoding;
};

// The 41 built-in pictures: faces Skin1..Skin15, markers Skin01..Skin014, numerals Digital_0..Digital_11.
std::span<const CatalogueEntry> CatalogueEntries();
const CatalogueEntry* FindCatalogueEntry(std::string_view name);
// The file name the picture is embedded under ("Skin1.jpg", "Skin01.bmp").
std::string PictureFileName(const CatalogueEntry& entry);
// The embedded file bytes of an entry.
std::span<const unsigned char> PictureBytes(const CatalogueEntry& entry);

// Lookups; an empty name for a number outside the family's range.
std::string_view FaceImageName(std::int32_t skin);          // 1..15
std::string_view MarkerImageName(std::int32_t dialStyle);   // 8..21 -> marker number dialStyle - 7
std::string_view NumeralImageName(std::int32_t index);      // 0..11

// Indexed by skin (1..15) and by dial style (8..21); other entries are unused.
extern const std::array<Rgb, 16> SkinAccentColours;
extern const std::array<Rgb, 22> MarkerAccentColours;

// Decoded catalogue pictures, each decoded at most once and then reused.
class PictureCache {
public:
  const Picture& Get(std::string_view name);  // throws TickoraError for an unknown name
  int jpegDecodeCount() const { return jpegDecodes_; }
  // Forgets every decoded picture; the next Get decodes again.
  void Clear() { decoded_.clear(); }

private:
  std::map<std::string, Picture, std::less<>> decoded_;
  int jpegDecodes_ = 0;
};
