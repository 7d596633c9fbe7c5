// Appending little-endian fields to a byte array, for the file-form sections of the sample levels.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace pw::art {

class LeBytes {
public:
    explicit LeBytes(std::vector<std::uint8_t>& out) : out_(out) {}

    LeBytes& U8(unsigned v) {
        out_.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    LeBytes& U16(unsigned v) { return U8(v & 0xFFu).U8((v >> 8) & 0xFFu); }
    LeBytes& S16(int v) { return U16(static_cast<unsigned>(v) & 0xFFFFu); }
    LeBytes& U32(std::uint32_t v) { return U16(v & 0xFFFFu).U16(v >> 16); }
    LeBytes& S32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
    LeBytes& F32(float v) { return U32(std::bit_cast<std::uint32_t>(v)); }

private:
    std::vector<std::uint8_t>& out_;
};

} // namespace pw::art
