#include "Artwork.h"

namespace {
constexpr int kFaces = 15;
constexpr int kMarkers = 14;
constexpr int kNumerals = 12;
// The face and marker files the catalogue expects: 5..13 kB and 0.7..1.1 kB.
constexpr std::size_t kFaceMaxBytes = 12000;
constexpr std::size_t kMarkerMaxBytes = 1080;

bool MarkerIsJpeg(int marker) { return marker == 2 || marker >= 12; }
}  // namespace

std::vector<ArtPicture> AllPictures()
{
  std::vector<ArtPicture> out;
  for (int i = 1; i <= kFaces; ++i) out.push_back({"Skin" + std::to_string(i), ArtFamily::Face, ArtFormat::Jpeg, i});
  for (int i = 1; i <= kMarkers; ++i)
    out.push_back({"Skin0" + std::to_string(i), ArtFamily::Marker, MarkerIsJpeg(i) ? ArtFormat::Jpeg : ArtFormat::Bmp, i});
  for (int i = 0; i < kNumerals; ++i)
    out.push_back({"Digital_" + std::to_string(i), ArtFamily::Numeral, ArtFormat::Bmp, i});
  return out;
}

std::string FileNameOf(const ArtPicture& picture)
{
  return picture.name + (picture.format == ArtFormat::Jpeg ? ".jpg" : ".bmp");
}

std::vector<std::uint8_t> PictureFile(const ArtPicture& picture)
{
  switch (picture.family) {
  case ArtFamily::Face:
    return EncodeJfif(RenderFace(picture.number), kFaceMaxBytes);
  case ArtFamily::Marker: {
    const Rgb8Image img = RenderMarker(picture.number);
    return picture.format == ArtFormat::Jpeg ? EncodeJfif(img, kMarkerMaxBytes) : EncodeBmp32(img, {});
  }
  case ArtFamily::Numeral: {
    std::vector<std::uint8_t> fourth;
    const Rgb8Image img = RenderNumeral(picture.number, fourth);
    return EncodeBmp32(img, fourth);
  }
  }
  return {};
}
