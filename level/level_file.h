// A level file as the writer produces it: a sequence of pieces (owned bytes, compressed blocks shared
// with the record, or bytes borrowed from the record) that are written one after the other, so that a
// save never assembles a second image of the whole file.
#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "level/compression.h"

namespace pw {

class LevelFile {
public:
    void Add(std::vector<std::uint8_t> bytes);
    void Add(const PackedBlock& block);
    // Bytes that must outlive this object (the record's own buffers).
    void Add(std::span<const std::uint8_t> borrowed);

    const std::vector<std::span<const std::uint8_t>>& Pieces() const { return pieces_; }
    std::size_t Size() const;
    // The whole file in one buffer.
    std::vector<std::uint8_t> Join() const;

private:
    std::deque<std::vector<std::uint8_t>> owned_;
    std::vector<PackedBlock> blocks_;
    std::vector<std::span<const std::uint8_t>> pieces_;
};

} // namespace pw
