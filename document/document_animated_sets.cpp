// The document operations on the working copy of the animated-texture sets.
#include <algorithm>

#include "document/level_document.h"

bool LevelDocument::HasAnimatedSet(int set) const {
    return set >= 0 && static_cast<std::size_t>(set) < AnimatedSets.size();
}

void LevelDocument::CountAnimatedSets() {
    if (Level.anim_words.empty())
        Level.SetAnimWordCount(1);
    Level.anim_words[0] = static_cast<std::uint16_t>(std::min(AnimatedSets.size(), pw::kMaxAnimatedSets));
}

bool LevelDocument::AddAnimatedSet() {
    if (!HasLevel() || AnimatedSets.size() >= pw::kMaxAnimatedSets)
        return false;
    AnimatedSets.emplace_back();
    CountAnimatedSets();
    emit AnimatedSetsChanged();
    return true;
}

bool LevelDocument::DeleteLastAnimatedSet() {
    if (AnimatedSets.empty())
        return false;
    AnimatedSets.pop_back();
    CountAnimatedSets();
    emit AnimatedSetsChanged();
    return true;
}

bool LevelDocument::AddAnimatedFrame(int set, int texture) {
    if (!HasAnimatedSet(set))
        return false;
    pw::AnimatedSet& frames = AnimatedSets[static_cast<std::size_t>(set)];
    const std::size_t words_needed = frames.empty() ? 2 : 1;
    if (frames.size() >= pw::kMaxAnimatedFrames ||
        pw::AnimatedWordCount(AnimatedSets) + words_needed > pw::kMaxAnimWords)
        return false;
    frames.push_back(static_cast<std::uint16_t>(texture));
    emit AnimatedSetsChanged();
    return true;
}

bool LevelDocument::DeleteAnimatedFrame(int set, int frame) {
    if (!HasAnimatedSet(set))
        return false;
    pw::AnimatedSet& frames = AnimatedSets[static_cast<std::size_t>(set)];
    if (frame < 0 || static_cast<std::size_t>(frame) >= frames.size())
        return false;
    frames.erase(frames.begin() + frame);
    emit AnimatedSetsChanged();
    return true;
}

bool LevelDocument::ReplaceAnimatedFrame(int set, int frame, int texture) {
    if (!HasAnimatedSet(set))
        return false;
    pw::AnimatedSet& frames = AnimatedSets[static_cast<std::size_t>(set)];
    if (frame < 0 || static_cast<std::size_t>(frame) >= frames.size())
        return false;
    frames[static_cast<std::size_t>(frame)] = static_cast<std::uint16_t>(texture);
    emit AnimatedSetsChanged();
    return true;
}
