// Storing a drawn page in the level's page depths: 8-bit palette indices, 16-bit words (bit 15
// opaque, red in bits 10-14, green 5-9, blue 0-4, little-endian) and 32-bit pixels (B, G, R, A).
// A transparent pixel is index 0, word 0 and all-zero bytes.
#pragma once

#include <cstdint>
#include <span>

#include "tools/palette_quantizer.h"
#include "tools/texture_canvas.h"

namespace pw::art {

std::uint16_t Word1555(Rgba8 pixel);

// Each writes one page: 65536, 131072 or 262144 bytes.
void EncodePage8(const PageCanvas& page, PaletteQuantizer& palette, std::span<std::uint8_t> out);
void EncodePage16(const PageCanvas& page, std::span<std::uint8_t> out);
void EncodePage32(const PageCanvas& page, std::span<std::uint8_t> out);

} // namespace pw::art
