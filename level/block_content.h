// The content of one compressed block as the writer sends it out: the record's bytes, zero-padded to
// the block's size, with the opaque flag set on every 16-bit word that is not 0 when the save asks for
// it. Checksums are worked out in small steps, so that deciding whether a block changed costs no copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pw {

// Sets the opaque flag (bit 15) on every little-endian 16-bit word of `words` that is not 0.
void SetOpaqueFlags(std::span<std::uint8_t> words);

struct ContentSums {
    std::uint32_t crc32 = 0;
    std::uint32_t adler32 = 0;
};

class BlockContent {
public:
    BlockContent(std::span<const std::uint8_t> record_bytes, std::size_t size, bool set_opaque_flags);

    std::size_t Size() const { return size_; }
    ContentSums Sums() const;
    // The whole content in one buffer (the compressor takes nothing less): the record's own bytes when
    // they go out unchanged, else a copy made in `scratch`.
    std::span<const std::uint8_t> Whole(std::vector<std::uint8_t>& scratch) const;

private:
    // Whether the bytes going out differ from the record's: padding, or a word that lacks its flag.
    bool Differs() const;

    std::span<const std::uint8_t> record_;
    std::size_t size_;
    bool flags_;
};

} // namespace pw
