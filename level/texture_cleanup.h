// Frees object-texture records: merges records that are exact copies of each other into the lowest
// of them, and removes records that nothing uses. Every face (rooms in every form, meshes) and every
// animated frame is renumbered so that it names a record equal to the one it named before; pages and
// sprite textures never change, and references past the table stay as they are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "level/animated_sets.h"
#include "level/texture_usage.h"
#include "level/trlevel.h"

namespace pw {

struct TextureCleanupPlan {
    std::uint32_t before = 0; // records before and after
    std::uint32_t after = 0;
    // Each group of equal records that is merged: the one kept, then those that go (old numbers).
    std::vector<std::vector<std::uint32_t>> merged;
    // The unused records that go (old numbers).
    std::vector<std::uint32_t> removed;
    // For every old number below `before`: the new number of the record its references move to.
    std::vector<std::uint32_t> new_index;
    // The old numbers of the records that stay, in their order.
    std::vector<std::uint32_t> kept;
    // Empty, or why the level cannot be cleaned (a damaged mesh); nothing may change then.
    std::string refused;

    bool Changes() const { return refused.empty() && after != before; }
    // Records merged into another (the duplicates that go).
    std::uint32_t MergedAway() const;
    // The lowest old number of a record that stays under a new number; `before` when none does.
    std::uint32_t FirstRenumbered() const;
};

// What merging (`merge`) and removing (`remove`) would do to `level` with these `usage` figures.
// With both, duplicates are merged first and a group that nothing uses is then removed whole.
TextureCleanupPlan PlanTextureCleanup(const Ttrlevel& level, const TextureUsage& usage, bool merge,
                                      bool remove);

// Carries out `plan` on the level, its anim_words and the working copy `sets` of the animated sets.
// `meshes` is FindMeshFaces of the level. Nothing changes for a plan that refuses.
void ApplyTextureCleanup(Ttrlevel& level, AnimatedSets& sets, const MeshFaces& meshes,
                         const TextureCleanupPlan& plan);

} // namespace pw
