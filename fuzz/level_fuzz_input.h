// How one fuzz input is run against the level library, shared by the fuzz target and the regression
// test. The first byte picks the file name (and so the kind the version word may select) in its low
// seven bits and the textures-only switch in its top bit; the remaining bytes are the file image.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "level/animated_sets.h"
#include "level/page_compaction.h"
#include "level/texture_cleanup.h"
#include "level/texture_usage.h"
#include "level/trlevel.h"

namespace pw::fuzz {

inline constexpr std::array<const char*, 7> kFuzzNames = {
    "fuzz.phd", "fuzz.tub", "fuzz.tr2", "fuzz.trg", "fuzz3.tr2", "fuzz.tr4", "fuzz.trc",
};
inline constexpr std::uint8_t kTexturesOnlyBit = 0x80;
// Records with more page bytes than this are written back only when no block must be compressed
// anew (kinds 1 to 5 store their pages plain; kinds 6 and 7 pass unchanged blocks through):
// deflating that many bytes would make one input take seconds.
inline constexpr std::size_t kMaxResavePageBytes = 8u << 20;

// Whether SaveLevelImage can write the record without compressing its page blocks again.
inline bool PagesPassThrough(const Ttrlevel& level) {
    if (level.kind < kind_tr4)
        return true;
    const auto exact = [](const Bytes& pages, std::int64_t size) {
        return static_cast<std::int64_t>(pages.size()) == size;
    };
    return exact(level.pages32, level.page8_bytes * 4) && exact(level.pages16, level.page8_bytes * 2) &&
           level.read_blocks[block_pages32].Matches(level.pages32) &&
           level.read_blocks[block_pages16].Matches(level.pages16) &&
           exact(level.misc_pages32, level.misc32_size) &&
           level.read_blocks[block_misc32].Matches(level.misc_pages32);
}

inline std::uint8_t NameByte(std::size_t name_index, bool textures_only) {
    return static_cast<std::uint8_t>(name_index | (textures_only ? kTexturesOnlyBit : 0));
}

// Runs what the windows and the CLI do with the rooms, meshes and textures of an accepted record:
// usage, the clean-up and page compaction, each of which walks bytes the file supplied.
inline void RunTextureTools(Ttrlevel& level) {
    AnimatedSets sets = ParseAnimatedSets(level.anim_words);
    const TextureUsage usage = ComputeTextureUsage(level, sets);
    const TextureCleanupPlan cleanup = PlanTextureCleanup(level, usage, true, true);
    if (usage.damaged_mesh.empty())
        ApplyTextureCleanup(level, sets, FindMeshFaces(level), cleanup);
    const CompactionPlan compaction = PlanCompaction(level);
    static_cast<void>(ApplyCompaction(level, compaction));
}

// The status of LoadLevelImage (as a number), or -1 when it ended in a failure that is not a refusal
// of the bytes. After a full read the record is also written back with SaveLevelImage and the image
// read again, which must succeed: everything the reader accepts, the writer must be able to store so
// that it reads back. A broken round trip returns -2.
inline int RunLevelInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return -1;
    const std::string name = kFuzzNames[(data[0] & 0x7Fu) % kFuzzNames.size()];
    const bool textures_only = (data[0] & kTexturesOnlyBit) != 0;
    Ttrlevel level;
    const Result read =
        level.LoadLevelImage(std::vector<std::uint8_t>(data + 1, data + size), name, textures_only);
    if (read != Status::done && read != Status::not_a_level)
        return -1;
    const int result = static_cast<int>(read.status);
    const std::size_t page_bytes = level.pages8.size() + level.pages16.size() + level.pages32.size();
    if (!read || textures_only || (page_bytes > kMaxResavePageBytes && !PagesPassThrough(level)))
        return result;
    std::vector<std::uint8_t> image;
    const Result written = level.SaveLevelImage(name, image);
    if (written == Status::cannot_save_as)
        return result;
    Ttrlevel again;
    if (!written || !again.LoadLevelImage(std::move(image), name))
        return -2;
    // What the clean-up and compaction leave must be as storable as what was read.
    RunTextureTools(level);
    image.clear();
    if (level.SaveLevelImage(name, image) && !again.LoadLevelImage(std::move(image), name))
        return -2;
    return result;
}

} // namespace pw::fuzz
