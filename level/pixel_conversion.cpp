#include "level/pixel_conversion.h"

#include <bit>
#include <cstring>

namespace pw {

void Expand1555To565(std::uint16_t* words, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        words[i] = Expand1555To565Word(words[i]);
}

void Expand1555To565Copy(const std::uint8_t* src, std::uint16_t* dst, std::size_t count) {
    if constexpr (std::endian::native == std::endian::little) {
        // Whole words at a time, so the loop vectorises.
        for (std::size_t i = 0; i < count; ++i) {
            std::uint16_t w;
            std::memcpy(&w, src + 2 * i, 2);
            dst[i] = Expand1555To565Word(w);
        }
    } else {
        for (std::size_t i = 0; i < count; ++i)
            dst[i] = Expand1555To565Word(static_cast<std::uint16_t>(src[2 * i] | (src[2 * i + 1] << 8)));
    }
}

} // namespace pw
