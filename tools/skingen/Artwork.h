#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An 8-bit picture, rows top to bottom, three bytes per pixel in the order red, green, blue.
struct Rgb8Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

enum class ArtFamily { Face, Marker, Numeral };
enum class ArtFormat { Jpeg, Bmp };

struct ArtPicture {
  std::string name;  // "Skin1", "Skin01", "Digital_0"
  ArtFamily family;
  ArtFormat format;
  int number;        // skin 1..15, marker 1..14, numeral index 0..11
};

// All 41 pictures in catalogue order.
std::vector<ArtPicture> AllPictures();
std::string FileNameOf(const ArtPicture& picture);

Rgb8Image RenderFace(int skin);
Rgb8Image RenderMarker(int marker);
// Grey glyph, plus the fourth byte of every pixel (255 but for a few in the 12).
Rgb8Image RenderNumeral(int index, std::vector<std::uint8_t>& fourth);

// Encoders; both write complete files.
std::vector<std::uint8_t> EncodeJfif(const Rgb8Image& image, std::size_t maxBytes);
std::vector<std::uint8_t> EncodeBmp32(const Rgb8Image& image, const std::vector<std::uint8_t>& fourth);

// Renders and encodes one picture: the bytes that go into its file.
std::vector<std::uint8_t> PictureFile(const ArtPicture& picture);

// Reads back a picture file written by the encoders above (for the contact sheet).
Rgb8Image DecodePictureFile(const std::vector<std::uint8_t>& bytes);
