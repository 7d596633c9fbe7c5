// The document operations on the working copy of the animated-texture sets.
#include <algorithm>

#include "document/level_document.h"

bool LevelDocument::HasAnimatedSet(int set) const {
    return set >= 0 && static_cast<std::size_t>(set) < sets_.size();
}

// Word 0 of anim_words follows the number of sets while they are edited.
template <typename Change> bool LevelDocument::EditAnimatedSets(HistoryStep step, Change change) {
    auto edit = std::make_shared<AnimatedSetsEdit>(level_, sets_);
    const std::size_t count = sets_.size();
    if (!change())
        return false;
    if (sets_.size() != count) {
        if (level_.anim_words.empty())
            level_.SetAnimWordCount(1);
        level_.anim_words[0] = static_cast<std::uint16_t>(std::min(sets_.size(), pw::kMaxAnimatedSets));
    }
    Record(step, std::move(edit));
    return true;
}

bool LevelDocument::AddAnimatedSet() {
    if (!HasLevel() || sets_.size() >= pw::kMaxAnimatedSets)
        return false;
    return EditAnimatedSets(HistoryStep{StepKind::add_animated_set}, [&] {
        sets_.emplace_back();
        return true;
    });
}

bool LevelDocument::DeleteLastAnimatedSet() {
    if (sets_.empty())
        return false;
    return EditAnimatedSets(HistoryStep{StepKind::delete_animated_set}, [&] {
        sets_.pop_back();
        return true;
    });
}

bool LevelDocument::AddAnimatedFrame(int set, int texture) {
    if (!HasAnimatedSet(set))
        return false;
    const pw::AnimatedSet& frames = sets_[static_cast<std::size_t>(set)];
    const std::size_t words_needed = frames.empty() ? 2 : 1;
    if (frames.size() >= pw::kMaxAnimatedFrames ||
        pw::AnimatedWordCount(sets_) + words_needed > pw::kMaxAnimWords)
        return false;
    return EditAnimatedSets(HistoryStep{StepKind::add_frame}, [&] {
        sets_[static_cast<std::size_t>(set)].push_back(static_cast<std::uint16_t>(texture));
        return true;
    });
}

bool LevelDocument::DeleteAnimatedFrame(int set, int frame) {
    if (!HasAnimatedSet(set) || frame < 0 || static_cast<std::size_t>(frame) >= sets_[set].size())
        return false;
    return EditAnimatedSets(HistoryStep{StepKind::delete_frame}, [&] {
        pw::AnimatedSet& frames = sets_[static_cast<std::size_t>(set)];
        frames.erase(frames.begin() + frame);
        return true;
    });
}

bool LevelDocument::ReplaceAnimatedFrame(int set, int frame, int texture) {
    if (!HasAnimatedSet(set) || frame < 0 || static_cast<std::size_t>(frame) >= sets_[set].size())
        return false;
    return EditAnimatedSets(HistoryStep{StepKind::replace_frame}, [&] {
        sets_[static_cast<std::size_t>(set)][static_cast<std::size_t>(frame)] =
            static_cast<std::uint16_t>(texture);
        return true;
    });
}
