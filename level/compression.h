// Whole-buffer zlib streams (RFC 1950) through libdeflate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pw {

// Deflates into a zlib stream, smaller than zlib's best level gives on page data. Raises CompressionError.
std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data);

// The most bytes a zlib stream of `packed_size` bytes can inflate to (deflate's limit is 1032:1).
std::size_t MaxInflatedSize(std::size_t packed_size);

// Inflates a whole zlib stream into `out`, replacing its content. `expected_size` is the first guess
// of the output length; the result is the actual inflated length. Raises CompressionError on a
// damaged stream, InvalidLevelFile when the claimed size could not come from a stream that short.
void ZlibInflate(std::span<const std::uint8_t> packed, std::size_t expected_size,
                 std::vector<std::uint8_t>& out);

// CRC-32 as zlib defines it.
std::uint32_t Crc32(std::span<const std::uint8_t> data);

} // namespace pw
