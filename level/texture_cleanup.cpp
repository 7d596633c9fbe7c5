#include "level/texture_cleanup.h"

#include "level/face_texture_words.h"

namespace pw {

namespace {

// Rewrites the frames of the complete sets that `words` holds, walking it as ParseAnimatedSets does.
template <typename Remap> void RemapAnimWords(std::vector<std::uint16_t>& words, Remap remap) {
    if (words.empty())
        return;
    const std::size_t claimed = words[0];
    std::size_t k = 1;
    for (std::size_t set = 0; set < claimed && k < words.size(); ++set) {
        const std::size_t frames = std::size_t{words[k]} + 1;
        if (frames > words.size() - k - 1)
            break;
        for (std::size_t f = k + 1; f <= k + frames; ++f)
            words[f] = remap(words[f]);
        k += frames + 1;
    }
}

} // namespace

std::uint32_t TextureCleanupPlan::MergedAway() const {
    std::uint32_t gone = 0;
    for (const auto& group : merged)
        gone += static_cast<std::uint32_t>(group.size() - 1);
    return gone;
}

std::uint32_t TextureCleanupPlan::FirstRenumbered() const {
    for (std::uint32_t j = 0; j < kept.size(); ++j)
        if (kept[j] != j)
            return kept[j];
    return before;
}

TextureCleanupPlan PlanTextureCleanup(const Ttrlevel& level, const TextureUsage& usage, bool merge,
                                      bool remove) {
    TextureCleanupPlan plan;
    const auto n = static_cast<std::uint32_t>(level.object_textures.size());
    plan.before = plan.after = n;
    if (!usage.damaged_mesh.empty()) {
        plan.refused = usage.damaged_mesh;
        return plan;
    }
    std::vector<std::uint32_t> target(n);
    for (std::uint32_t i = 0; i < n; ++i)
        target[i] = i;
    if (merge) {
        for (const auto& group : usage.duplicate_groups) {
            for (std::size_t g = 1; g < group.size(); ++g)
                target[group[g]] = group[0];
            plan.merged.push_back(group);
        }
    }
    std::vector<bool> used(n, false);
    for (std::uint32_t i = 0; i < n; ++i)
        if (usage.ObjectTextureUsed(i))
            used[target[i]] = true;
    std::vector<bool> kept(n, false);
    for (std::uint32_t i = 0; i < n; ++i) {
        kept[i] = target[i] == i && (used[i] || !remove);
        if (target[i] == i && !kept[i])
            plan.removed.push_back(i);
    }
    std::vector<std::uint32_t> position(n, 0);
    for (std::uint32_t i = 0; i < n; ++i) {
        if (kept[i]) {
            position[i] = static_cast<std::uint32_t>(plan.kept.size());
            plan.kept.push_back(i);
        }
    }
    plan.after = static_cast<std::uint32_t>(plan.kept.size());
    plan.new_index.resize(n);
    for (std::uint32_t i = 0; i < n; ++i)
        plan.new_index[i] = position[target[i]];
    return plan;
}

void ApplyTextureCleanup(Ttrlevel& level, AnimatedSets& sets, const MeshFaces& meshes,
                         const TextureCleanupPlan& plan) {
    if (!plan.refused.empty() || plan.new_index.size() != level.object_textures.size())
        return;
    const std::uint32_t before = plan.before;
    // A reference past the table keeps its number, which stays past the shorter table.
    auto frame = [&](std::uint16_t f) {
        return f < before ? static_cast<std::uint16_t>(plan.new_index[f]) : f;
    };
    VisitFaceTextureWords(level, meshes, [&](std::uint8_t* p, FaceWord) {
        const std::uint16_t word = ReadWord(p);
        const std::uint16_t index = word & kFaceTextureMask;
        if (index < before)
            WriteWord(p, static_cast<std::uint16_t>((word & ~kFaceTextureMask) | plan.new_index[index]));
    });
    for (AnimatedSet& set : sets)
        for (std::uint16_t& f : set)
            f = frame(f);
    RemapAnimWords(level.anim_words, frame);
    std::vector<tobjtexture> table;
    table.reserve(plan.kept.size());
    for (std::uint32_t i : plan.kept)
        table.push_back(level.object_textures[i]);
    level.object_textures = std::move(table);
    level.num_object_textures = static_cast<std::int32_t>(level.object_textures.size());
}

} // namespace pw
