#include "document/compaction_edit.h"

#include <utility>

#include "level/layout.h"

CompactPagesEdit::CompactPagesEdit(const pw::Ttrlevel& level)
    : pages8_(level.pages8), pages16_(level.pages16), pages32_(level.pages32),
      num_pages_(level.num_pages), tile_counts_{level.num_room_tiles, level.num_object_tiles,
                                                level.num_bump_tiles},
      object_textures_(level.object_textures), sprite_textures_(level.sprite_textures) {}

// Pages past the shorter count are announced as removed or added, the others as changed, and the
// texture records last, so that the views see the pages they point to.
EditChange CompactPagesEdit::Swap(pw::Ttrlevel& level, pw::AnimatedSets&) {
    const int before = level.num_pages;
    std::swap(level.pages8, pages8_);
    std::swap(level.pages16, pages16_);
    std::swap(level.pages32, pages32_);
    std::swap(level.num_pages, num_pages_);
    level.page8_bytes = std::int64_t{level.num_pages} * static_cast<std::int64_t>(pw::layout::kPage8Bytes);
    std::array<std::uint16_t, 3> counts{level.num_room_tiles, level.num_object_tiles, level.num_bump_tiles};
    std::swap(counts, tile_counts_);
    level.num_room_tiles = counts[0];
    level.num_object_tiles = counts[1];
    level.num_bump_tiles = counts[2];
    std::swap(level.object_textures, object_textures_);
    std::swap(level.sprite_textures, sprite_textures_);

    EditChange change{EditChange::What::several};
    const int after = level.num_pages;
    for (int page = before - 1; page >= after; --page)
        change.parts.push_back({EditChange::What::page_removed, page});
    for (int page = before; page < after; ++page)
        change.parts.push_back({EditChange::What::page_added, page});
    for (int page = 0; page < std::min(before, after); ++page)
        change.parts.push_back({EditChange::What::page_pixels, page});
    change.parts.push_back({EditChange::What::textures, -1}); // the selection stays
    return change;
}

std::size_t CompactPagesEdit::Bytes() const {
    return sizeof(*this) + pages8_.capacity() + pages16_.capacity() + pages32_.capacity() +
           object_textures_.capacity() * sizeof(pw::tobjtexture) + sprite_textures_.capacity();
}
