#pragma once
#include <span>

#include "skins/Picture.h"

// Decodes a well-formed picture file; anything else throws TickoraError with a clear message and never
// reads out of bounds or ends the process.
Picture DecodeJpeg(std::span<const unsigned char> bytes);
Picture DecodeBmp(std::span<const unsigned char> bytes);
