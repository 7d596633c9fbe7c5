// The animated-texture sets of a level: anim_words holds the number of sets, then for each set its
// frame count minus one and the frames' object-texture indices. The sets are edited as a growable list
// and stored back into anim_words when the level is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "level/trlevel.h"

namespace pw {

// One set: the object-texture indices of its frames, in playing order.
using AnimatedSet = std::vector<std::uint16_t>;
using AnimatedSets = std::vector<AnimatedSet>;

// What the file format can hold: word 0 and each count word are 16 bits, and the count word stores
// frames minus one.
inline constexpr std::size_t kMaxAnimatedSets = 0xFFFF;
inline constexpr std::size_t kMaxAnimatedFrames = 0x10000;
// The whole list, word 0 included; kept far below the 32-bit count of the file.
inline constexpr std::size_t kMaxAnimWords = 0x1000000;

// The sets that anim_words describes. A list that claims more sets than it holds yields the complete
// sets that are there; a set whose frames run past the end of the list is dropped with all after it.
AnimatedSets ParseAnimatedSets(const std::vector<std::uint16_t>& words);

// The words for `sets`: sets without frames are left out (a count word of 65535 would claim 65536
// frames) and word 0 counts the sets written. Sets beyond the format's limits are left out too.
std::vector<std::uint16_t> AnimatedSetWords(const AnimatedSets& sets);

// The anim_words a file of `level` holds for `sets`: AnimatedSetWords, or none (the level's own list
// stays) when a level that never had the list has no sets to hold.
std::optional<std::vector<std::uint16_t>> AnimatedWordsToStore(const Ttrlevel& level,
                                                               const AnimatedSets& sets);

// Rebuilds the level's anim_words (and its count) from `sets`.
void StoreAnimatedSets(Ttrlevel& level, const AnimatedSets& sets);

// The number of words `sets` take in the list, word 0 included, empty sets not counted.
std::size_t AnimatedWordCount(const AnimatedSets& sets);

} // namespace pw
