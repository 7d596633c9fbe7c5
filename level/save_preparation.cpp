#include "level/save_preparation.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "level/layout.h"
#include "level/page_access.h"

namespace pw {

void PrepareLevelForSave(Ttrlevel& level) {
    if (!CarriesDepth(level.kind, PageDepth::bits16) || level.num_pages <= 0)
        return;
    const std::size_t bytes =
        std::min(level.pages16.size(), static_cast<std::size_t>(level.num_pages) * layout::kPage16Bytes);
    std::uint8_t* words = level.pages16.data();
    std::size_t at = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Four words at a time: in each 16-bit lane, (low 15 bits + 0x7FFF) reaches bit 15 exactly
        // when they are not zero, and no lane carries into the next.
        constexpr std::uint64_t low = 0x7FFF7FFF7FFF7FFFull;
        constexpr std::uint64_t flags = 0x8000800080008000ull;
        for (; at + 8 <= bytes; at += 8) {
            std::uint64_t four;
            std::memcpy(&four, words + at, 8);
            four |= (((four & low) + low) | four) & flags;
            std::memcpy(words + at, &four, 8);
        }
    }
    // Little-endian words: the flag is the top bit of the second byte.
    for (; at + 1 < bytes; at += 2) {
        if ((words[at] | words[at + 1]) != 0)
            words[at + 1] |= 0x80;
    }
}

namespace {

bool LacksOpaqueFlags(const Ttrlevel& level) {
    if (!CarriesDepth(level.kind, PageDepth::bits16) || level.num_pages <= 0)
        return false;
    const std::size_t bytes =
        std::min(level.pages16.size(), static_cast<std::size_t>(level.num_pages) * layout::kPage16Bytes);
    for (std::size_t at = 0; at + 1 < bytes; at += 2)
        if ((level.pages16[at] | level.pages16[at + 1]) != 0 && !(level.pages16[at + 1] & 0x80))
            return true;
    return false;
}

// Puts the kept blocks back when the write ends, by return or by exception.
class RecordRestorer {
public:
    RecordRestorer(Ttrlevel& level, bool keep_pages)
        : level_(level), anim_words_(level.anim_words), anim_word_count_(level.num_anim_words),
          keep_pages_(keep_pages) {
        if (keep_pages_)
            pages16_ = level.pages16;
    }
    ~RecordRestorer() {
        level_.anim_words = std::move(anim_words_);
        level_.num_anim_words = anim_word_count_;
        if (keep_pages_)
            level_.pages16 = std::move(pages16_);
    }
    RecordRestorer(const RecordRestorer&) = delete;
    RecordRestorer& operator=(const RecordRestorer&) = delete;

private:
    Ttrlevel& level_;
    std::vector<std::uint16_t> anim_words_;
    std::int32_t anim_word_count_;
    bool keep_pages_;
    Bytes pages16_;
};

} // namespace

std::uint8_t SaveLevelKeepingRecord(Ttrlevel& level, const AnimatedSets& sets, const std::string& file_name) {
    if (!level.IsLoaded())
        return 1;
    const RecordRestorer restore(level, LacksOpaqueFlags(level));
    return SaveLevelAsEdited(level, sets, file_name);
}

std::uint8_t SaveLevelAsEdited(Ttrlevel& level, const AnimatedSets& sets, const std::string& file_name) {
    if (!level.IsLoaded())
        return 1;
    PrepareLevelForSave(level);
    StoreAnimatedSets(level, sets);
    return level.SaveLevel(file_name);
}

} // namespace pw
