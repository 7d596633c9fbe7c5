#include "bench/kind6_blocks.h"

#include <stdexcept>

namespace pw::bench {
namespace {

constexpr std::size_t kHeadBytes = 4 + 3 * 2;
constexpr std::size_t kSizeFields = 8;
constexpr int kBlocks = 4;

std::uint32_t U32At(std::span<const std::uint8_t> b, std::size_t at) {
    if (b.size() < 4 || at > b.size() - 4)
        throw std::runtime_error("kind 6 image ends inside a size field");
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

} // namespace

std::size_t Kind6Layout::UnpackedSize() const {
    std::size_t total = head_bytes + trailing_bytes;
    for (const auto& block : blocks)
        total += kSizeFields + block.unpacked_size;
    return total;
}

Kind6Layout SplitKind6(std::span<const std::uint8_t> image) {
    Kind6Layout layout;
    layout.head_bytes = kHeadBytes;
    std::size_t at = kHeadBytes;
    for (int i = 0; i < kBlocks; ++i) {
        const std::uint32_t unpacked = U32At(image, at);
        const std::uint32_t packed = U32At(image, at + 4);
        at += kSizeFields;
        if (packed > image.size() - at)
            throw std::runtime_error("kind 6 block runs past the end of the image");
        layout.blocks.push_back({unpacked, image.subspan(at, packed)});
        at += packed;
    }
    layout.trailing_bytes = image.size() - at;
    return layout;
}

} // namespace pw::bench
