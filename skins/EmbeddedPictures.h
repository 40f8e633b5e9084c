#pragma once
#include <cstdint>
#include <span>
#include <string_view>

// The built-in pictures as compiled into the program, by file name ("Skin1.jpg", "Digital_0.bmp").
struct EmbeddedPicture {
  std::string_view fileName;
  std::span<const unsigned char> bytes;
};

std::span<const EmbeddedPicture> EmbeddedPictures();
