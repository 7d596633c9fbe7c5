#include "level/animated_sets.h"

namespace pw {

AnimatedSets ParseAnimatedSets(const std::vector<std::uint16_t>& words) {
    AnimatedSets sets;
    if (words.empty())
        return sets;
    const std::size_t claimed = words[0];
    std::size_t k = 1;
    while (sets.size() < claimed && k < words.size()) {
        const std::size_t frames = std::size_t{words[k]} + 1;
        if (frames > words.size() - k - 1)
            break;
        const auto first = words.begin() + static_cast<std::ptrdiff_t>(k + 1);
        sets.emplace_back(first, first + static_cast<std::ptrdiff_t>(frames));
        k += frames + 1;
    }
    return sets;
}

std::size_t AnimatedWordCount(const AnimatedSets& sets) {
    std::size_t words = 1;
    for (const AnimatedSet& set : sets)
        if (!set.empty())
            words += set.size() + 1;
    return words;
}

std::vector<std::uint16_t> AnimatedSetWords(const AnimatedSets& sets) {
    std::vector<std::uint16_t> words(1, 0);
    std::size_t stored = 0;
    for (const AnimatedSet& set : sets) {
        if (set.empty() || set.size() > kMaxAnimatedFrames || stored == kMaxAnimatedSets ||
            words.size() + set.size() + 1 > kMaxAnimWords)
            continue;
        words.push_back(static_cast<std::uint16_t>(set.size() - 1));
        words.insert(words.end(), set.begin(), set.end());
        ++stored;
    }
    words[0] = static_cast<std::uint16_t>(stored);
    return words;
}

std::optional<std::vector<std::uint16_t>> AnimatedWordsToStore(const Ttrlevel& level,
                                                               const AnimatedSets& sets) {
    std::vector<std::uint16_t> words = AnimatedSetWords(sets);
    if (words[0] == 0 && level.anim_words.empty())
        return std::nullopt;
    return words;
}

void StoreAnimatedSets(Ttrlevel& level, const AnimatedSets& sets) {
    std::optional<std::vector<std::uint16_t>> words = AnimatedWordsToStore(level, sets);
    if (!words)
        return;
    level.SetAnimWordCount(static_cast<std::int32_t>(words->size()));
    level.anim_words = std::move(*words);
}

} // namespace pw
