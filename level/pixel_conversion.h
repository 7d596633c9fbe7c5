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

// 8-bit component of a 5-bit or 6-bit one, its high bits repeated below it.
inline std::uint8_t Widen5(unsigned c) {
    return static_cast<std::uint8_t>((c << 3) | (c >> 2));
}
inline std::uint8_t Widen6(unsigned c) {
    return static_cast<std::uint8_t>((c << 2) | (c >> 4));
}

// The colour a level word is shown in, 0xRRGGBB: its 5-6-5 display word widened to 8 bits a component.
// Every view and picture of a 16-bit page draws its words through this.
inline std::uint32_t ShownWordColour(std::uint16_t w) {
    const std::uint16_t shown = Expand1555To565Word(w);
    return (std::uint32_t{Widen5(shown >> 11)} << 16) | (std::uint32_t{Widen6((shown >> 5) & 0x3Fu)} << 8) |
           Widen5(shown & 0x1Fu);
}

// A component of the level palette (6 bits) as shown in 8 bits: times 4, kept in 8 bits.
inline std::uint8_t ShownPaletteComponent(std::uint8_t c) {
    return static_cast<std::uint8_t>(c * 4);
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
