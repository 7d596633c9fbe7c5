// A little-endian writer that builds a file image in memory, used by the level writer.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pw {

class ImageBuilder {
public:
    ImageBuilder() { bytes_.reserve(65536); }

    std::size_t Position() const { return bytes_.size(); }
    std::vector<std::uint8_t>& Bytes() { return bytes_; }

    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) {
        bytes_.push_back(static_cast<std::uint8_t>(v));
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Raw(std::span<const std::uint8_t> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
    void Raw(const void* data, std::size_t n) { Raw(std::span(static_cast<const std::uint8_t*>(data), n)); }
    void Fill(std::uint8_t value, std::size_t n) { bytes_.insert(bytes_.end(), n, value); }
    // Exactly n bytes from `data`, zero-padded when it holds fewer.
    void Exactly(std::span<const std::uint8_t> data, std::size_t n) {
        const std::size_t m = std::min(n, data.size());
        Raw(data.first(m));
        Fill(0, n - m);
    }
    // Overwrites a u32 written earlier at `at`.
    void PatchU32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace pw
