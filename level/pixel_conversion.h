// Conversions between the level's 16-bit page words and 5-6-5 display words, over raw blocks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pw {

// Level word (bit 15 opaque, 5-5-5) to 5-6-5: green moves up one bit, its lowest bit and the flag drop.
inline std::uint16_t Expand1555To565Word(std::uint16_t w) {
    const unsigned blue = w & 0x1Fu;
    const unsigned green = (w >> 5) & 0x1Fu;
    const unsigned red = (w >> 10) & 0x1Fu;
    return static_cast<std::uint16_t>((red << 11) | (green << 6) | blue);
}

// 5-6-5 to level word: green's lowest bit drops, the opaque flag is left clear.
inline std::uint16_t Pack565To1555Word(std::uint16_t w) {
    const unsigned blue = w & 0x1Fu;
    const unsigned green = (w >> 6) & 0x1Fu;
    const unsigned red = (w >> 11) & 0x1Fu;
    return static_cast<std::uint16_t>((red << 10) | (green << 5) | blue);
}

// In place over `count` words.
void Expand1555To565(std::uint16_t* words, std::size_t count);
// Converts `count` level words from src into 5-6-5 words at dst (the two may be the same).
void Expand1555To565Copy(const std::uint8_t* src, std::uint16_t* dst, std::size_t count);

} // namespace pw
