#include "level/block_content.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "level/compression.h"

namespace pw {
namespace {

// Checksums are summed over steps of this many bytes (even, so a step never splits a word).
constexpr std::size_t kStep = std::size_t{64} << 10;

bool LacksOpaqueFlag(std::span<const std::uint8_t> words) {
    for (std::size_t at = 0; at + 1 < words.size(); at += 2)
        if ((words[at] | words[at + 1]) != 0 && !(words[at + 1] & 0x80))
            return true;
    return false;
}

} // namespace

void SetOpaqueFlags(std::span<std::uint8_t> words) {
    const std::size_t bytes = words.size();
    std::size_t at = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Four words at a time: in each 16-bit lane, (low 15 bits + 0x7FFF) reaches bit 15 exactly
        // when they are not zero, and no lane carries into the next.
        constexpr std::uint64_t low = 0x7FFF7FFF7FFF7FFFull;
        constexpr std::uint64_t flags = 0x8000800080008000ull;
        for (; at + 8 <= bytes; at += 8) {
            std::uint64_t four;
            std::memcpy(&four, words.data() + at, 8);
            four |= (((four & low) + low) | four) & flags;
            std::memcpy(words.data() + at, &four, 8);
        }
    }
    // Little-endian words: the flag is the top bit of the second byte.
    for (; at + 1 < bytes; at += 2) {
        if ((words[at] | words[at + 1]) != 0)
            words[at + 1] |= 0x80;
    }
}

BlockContent::BlockContent(std::span<const std::uint8_t> record_bytes, std::size_t size,
                           bool set_opaque_flags)
    : record_(record_bytes.first(std::min(size, record_bytes.size()))), size_(size),
      flags_(set_opaque_flags) {}

bool BlockContent::Differs() const {
    return record_.size() < size_ || (flags_ && LacksOpaqueFlag(record_));
}

ContentSums BlockContent::Sums() const {
    if (!Differs())
        return {Crc32(record_), Adler32(record_)};
    ContentSums sums{0, 1};
    std::vector<std::uint8_t> step;
    for (std::size_t at = 0; at < size_; at += kStep) {
        const std::size_t n = std::min(kStep, size_ - at);
        step.assign(n, 0);
        if (at < record_.size()) {
            const auto part = record_.subspan(at, std::min(n, record_.size() - at));
            std::copy(part.begin(), part.end(), step.begin());
        }
        if (flags_)
            SetOpaqueFlags(step);
        sums.crc32 = Crc32Continue(sums.crc32, step);
        sums.adler32 = Adler32Continue(sums.adler32, step);
    }
    return sums;
}

std::span<const std::uint8_t> BlockContent::Whole(std::vector<std::uint8_t>& scratch) const {
    if (!Differs())
        return record_;
    scratch.assign(size_, 0);
    std::copy(record_.begin(), record_.end(), scratch.begin());
    if (flags_)
        SetOpaqueFlags(scratch);
    return scratch;
}

} // namespace pw
