#include "level/compression.h"

#include <libdeflate.h>
#include <sys/mman.h>

#include <algorithm>
#include <new>
#include <string>

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

// The first output buffer: the claimed size when a stream of this length can plausibly hold it
// (texture pages deflate by less than 16:1), else a guess that grows as the stream inflates.
constexpr std::size_t kPlausibleRatio = 16;
constexpr std::size_t kSmallestGuess = std::size_t{1} << 20;

// A buffer of its own pages: never zero-filled (pages that are not written stay untouched), and given
// back to the system when released, so a block that moved on does not stay in the heap's free lists.
std::shared_ptr<std::uint8_t[]> MapBuffer(std::size_t size) {
    const std::size_t length = size > 0 ? size : 1;
    void* p = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    return std::shared_ptr<std::uint8_t[]>(static_cast<std::uint8_t*>(p),
                                           [length](std::uint8_t* q) { ::munmap(q, length); });
}

} // namespace

PackedBlock ZlibCompressBlock(std::span<const std::uint8_t> data) {
    std::unique_ptr<libdeflate_compressor, CompressorDeleter> c(
        libdeflate_alloc_compressor(kCompressionLevel));
    if (!c)
        throw CompressionError("Out of memory while preparing to compress");
    PackedBlock out;
    const std::size_t bound = libdeflate_zlib_compress_bound(c.get(), data.size());
    out.data = MapBuffer(bound);
    out.size = libdeflate_zlib_compress(c.get(), data.data(), data.size(), out.data.get(), bound);
    if (out.size == 0)
        throw CompressionError("Could not compress a block of " + std::to_string(data.size()) + " bytes");
    return out;
}

std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data) {
    const PackedBlock block = ZlibCompressBlock(data);
    return {block.data.get(), block.data.get() + block.size};
}

std::size_t MaxInflatedSize(std::size_t packed_size) {
    const std::size_t limit = packed_size * 1032 + 64;
    return limit < kMaxImage ? limit : kMaxImage;
}

void ZlibInflate(std::span<const std::uint8_t> packed, std::size_t claimed_size, std::size_t limit,
                 std::vector<std::uint8_t>& out) {
    if (claimed_size > limit)
        throw InvalidLevelFile("a compressed block claims " + std::to_string(claimed_size) +
                               " bytes, more than a level may hold (" + std::to_string(limit) + ")");
    if (claimed_size > MaxInflatedSize(packed.size()))
        throw InvalidLevelFile("a compressed block claims more bytes than a stream of " +
                               std::to_string(packed.size()) + " bytes can hold");
    // One byte beyond the claim tells a stream that inflates to more than it claims.
    const std::size_t ceiling = claimed_size + 1;
    std::size_t capacity = std::min(ceiling, std::max(kSmallestGuess, packed.size() * kPlausibleRatio));
    for (;;) {
        out.resize(capacity);
        std::size_t actual = 0;
        const auto r = libdeflate_zlib_decompress(Decompressor(), packed.data(), packed.size(), out.data(),
                                                  out.size(), &actual);
        if (r == LIBDEFLATE_SUCCESS && actual <= claimed_size) {
            out.resize(actual);
            return;
        }
        if (r == LIBDEFLATE_SUCCESS || (r == LIBDEFLATE_INSUFFICIENT_SPACE && capacity >= ceiling)) {
            out = {};
            throw InvalidLevelFile("a compressed block inflates to more than the " +
                                   std::to_string(claimed_size) + " bytes it claims");
        }
        if (r != LIBDEFLATE_INSUFFICIENT_SPACE) {
            out = {};
            throw CompressionError("A compressed block is damaged and cannot be inflated");
        }
        // The next try starts over: release this buffer before taking a larger one, unless the caller's
        // reserved room already holds it.
        capacity = std::min(ceiling, capacity * 4);
        if (out.capacity() < capacity)
            out = {};
    }
}

std::uint32_t Crc32(std::span<const std::uint8_t> data) {
    return libdeflate_crc32(0, data.data(), data.size());
}

std::uint32_t Crc32Continue(std::uint32_t crc, std::span<const std::uint8_t> data) {
    return libdeflate_crc32(crc, data.data(), data.size());
}

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
    return libdeflate_adler32(1, data.data(), data.size());
}

std::uint32_t Adler32Continue(std::uint32_t adler, std::span<const std::uint8_t> data) {
    return libdeflate_adler32(adler, data.data(), data.size());
}

} // namespace pw
