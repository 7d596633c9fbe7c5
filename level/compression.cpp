#include "level/compression.h"

#include <libdeflate.h>

#include <memory>

#include "level/level_errors.h"

namespace pw {
namespace {

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};
struct DecompressorDeleter {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

libdeflate_decompressor* Decompressor() {
    // One decompressor for the thread; it holds no state between calls.
    thread_local std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> d(
        libdeflate_alloc_decompressor());
    if (!d)
        throw CompressionError("Out of memory while preparing to inflate a zlib stream");
    return d.get();
}

// libdeflate's level 7: on texture pages it deflates smaller than zlib's best level (9) and more than
// twice as fast; libdeflate's own level 9 is larger and slower on such data.
constexpr int kCompressionLevel = 7;

constexpr std::size_t kMaxImage = 0x7FFFFFFF; // sizes are stored as 32-bit signed values

} // namespace

std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data) {
    std::unique_ptr<libdeflate_compressor, CompressorDeleter> c(libdeflate_alloc_compressor(kCompressionLevel));
    if (!c)
        throw CompressionError("Out of memory while preparing to compress");
    std::vector<std::uint8_t> out(libdeflate_zlib_compress_bound(c.get(), data.size()));
    const std::size_t n = libdeflate_zlib_compress(c.get(), data.data(), data.size(), out.data(), out.size());
    if (n == 0)
        throw CompressionError("Could not compress a block of " + std::to_string(data.size()) + " bytes");
    out.resize(n);
    return out;
}

std::size_t MaxInflatedSize(std::size_t packed_size) {
    const std::size_t limit = packed_size * 1032 + 64;
    return limit < kMaxImage ? limit : kMaxImage;
}

void ZlibInflate(std::span<const std::uint8_t> packed, std::size_t expected_size,
                 std::vector<std::uint8_t>& out) {
    const std::size_t limit = MaxInflatedSize(packed.size());
    if (expected_size > limit)
        throw InvalidLevelFile("A compressed block claims more bytes than it can hold");
    std::size_t capacity = expected_size > 0 ? expected_size : 1;
    for (;;) {
        out.resize(capacity);
        std::size_t actual = 0;
        const auto r = libdeflate_zlib_decompress(Decompressor(), packed.data(), packed.size(), out.data(),
                                                  out.size(), &actual);
        if (r == LIBDEFLATE_SUCCESS) {
            out.resize(actual);
            return;
        }
        if (r != LIBDEFLATE_INSUFFICIENT_SPACE || capacity >= limit) {
            out.clear();
            throw CompressionError("A compressed block is damaged and cannot be inflated");
        }
        capacity = capacity * 2 < limit ? capacity * 2 : limit;
    }
}

std::uint32_t Crc32(std::span<const std::uint8_t> data) {
    return libdeflate_crc32(0, data.data(), data.size());
}

} // namespace pw
