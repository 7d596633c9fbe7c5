// The four zlib blocks of a kind 6 level file (32-bit pages, 16-bit pages, the third texture block and
// the level data), found by walking their size fields. Used to compress and inflate exactly the same
// blocks with zlib for comparison.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pw::bench {

struct PackedBlock {
    std::uint32_t unpacked_size = 0;
    std::span<const std::uint8_t> packed;
};

struct Kind6Layout {
    std::vector<PackedBlock> blocks;  // in file order
    std::size_t head_bytes = 0;       // version and tile counts
    std::size_t trailing_bytes = 0;   // the samples after the level data
    std::size_t UnpackedSize() const; // the file with every block stored inflated
};

// Throws std::runtime_error when the image is not laid out as a kind 6 file.
Kind6Layout SplitKind6(std::span<const std::uint8_t> image);

} // namespace pw::bench
