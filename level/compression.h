// Whole-buffer zlib streams (RFC 1950) through libdeflate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace pw {

// A compressed stream in a buffer that was never zero-filled: only the bytes written are touched.
struct PackedBlock {
    std::shared_ptr<std::uint8_t[]> data;
    std::size_t size = 0;
    std::span<const std::uint8_t> Bytes() const { return {data.get(), size}; }
};

// Deflates into a zlib stream, smaller than zlib's best level gives on page data. Raises CompressionError.
PackedBlock ZlibCompressBlock(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data);

// The most bytes a zlib stream of `packed_size` bytes can inflate to (deflate's limit is 1032:1).
std::size_t MaxInflatedSize(std::size_t packed_size);

// Inflates a whole zlib stream into `out`, replacing its content. The output grows as the stream
// inflates, starting from a guess that trusts `claimed_size` only as far as the packed size makes it
// plausible. A stream that would inflate to more than `claimed_size` or `limit` bytes makes the file
// invalid (InvalidLevelFile), found without inflating it further; a damaged stream raises
// CompressionError. A shorter result is kept: its actual length is out.size().
void ZlibInflate(std::span<const std::uint8_t> packed, std::size_t claimed_size, std::size_t limit,
                 std::vector<std::uint8_t>& out);

// CRC-32 as zlib defines it, and Adler-32.
std::uint32_t Crc32(std::span<const std::uint8_t> data);
std::uint32_t Crc32Continue(std::uint32_t crc, std::span<const std::uint8_t> data);
std::uint32_t Adler32(std::span<const std::uint8_t> data);
std::uint32_t Adler32Continue(std::uint32_t adler, std::span<const std::uint8_t> data);

} // namespace pw
