// A libFuzzer custom mutator for kind 6 inputs. Their level data is one zlib stream, so a mutated
// byte in it almost always fails the checksum and the reader behind it is never reached. For those
// inputs the mutator inflates the level data, lets libFuzzer mutate the plain bytes and compresses
// them again; every other input is mutated as usual.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "fuzz/level_fuzz_input.h"

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t max_size);

namespace {

constexpr std::size_t kKind6NameIndex = 5;
constexpr std::size_t kMaxLevelData = 4u << 20;
constexpr std::size_t kHeadBytes = 1 + 4 + 6; // name byte, version, three tile counts

std::uint32_t U32At(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

struct Kind6Input {
    std::size_t level_block = 0; // offset of the level data's size fields
    std::size_t rest = 0;        // offset of the bytes after the level data stream
    std::vector<std::uint8_t> level_data;
};

std::optional<Kind6Input> SplitKind6(const std::uint8_t* data, std::size_t size) {
    if (size < kHeadBytes || (data[0] & 0x7Fu) % pw::fuzz::kFuzzNames.size() != kKind6NameIndex)
        return std::nullopt;
    const std::uint32_t version = U32At(data + 1);
    if (version != 0x00345254u && version != 0xFFFFFFF0u)
        return std::nullopt;
    std::size_t at = kHeadBytes;
    for (int block = 0; block < 3; ++block) {
        if (size - at < 8 || U32At(data + at + 4) > size - at - 8)
            return std::nullopt;
        at += 8 + U32At(data + at + 4);
    }
    if (size - at < 8)
        return std::nullopt;
    const std::uint32_t unpacked = U32At(data + at);
    const std::uint32_t packed = U32At(data + at + 4);
    if (packed > size - at - 8 || unpacked > kMaxLevelData)
        return std::nullopt;
    Kind6Input input;
    input.level_block = at;
    input.rest = at + 8 + packed;
    input.level_data.resize(unpacked);
    uLongf length = unpacked;
    if (uncompress(input.level_data.data(), &length, data + at + 8, packed) != Z_OK || length != unpacked)
        return std::nullopt;
    return input;
}

std::size_t MutateLevelData(std::uint8_t* data, std::size_t size, std::size_t max_size, Kind6Input& input) {
    const std::size_t plain = input.level_data.size();
    input.level_data.resize(plain * 2 + 64);
    input.level_data.resize(LLVMFuzzerMutate(input.level_data.data(), plain, input.level_data.size()));
    std::vector<std::uint8_t> packed(compressBound(input.level_data.size()));
    uLongf packed_size = packed.size();
    if (compress2(packed.data(), &packed_size, input.level_data.data(), input.level_data.size(), 1) != Z_OK)
        return 0;
    std::vector<std::uint8_t> out(data, data + input.level_block);
    PutU32(out, static_cast<std::uint32_t>(input.level_data.size()));
    PutU32(out, static_cast<std::uint32_t>(packed_size));
    out.insert(out.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packed_size));
    out.insert(out.end(), data + input.rest, data + size);
    if (out.size() > max_size)
        return 0;
    std::memcpy(data, out.data(), out.size());
    return out.size();
}

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t max_size,
                                               unsigned int seed) {
    // One mutation in four stays on the raw bytes, so the blocks and their size fields change too.
    if (seed % 4 != 0) {
        if (auto input = SplitKind6(data, size)) {
            if (const std::size_t n = MutateLevelData(data, size, max_size, *input); n != 0)
                return n;
        }
    }
    return LLVMFuzzerMutate(data, size, max_size);
}
