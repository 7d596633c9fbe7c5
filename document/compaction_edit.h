// The step of a page compaction: every page, the page counts, the object-texture records and the sprite
// records, held whole in the state the document is not in. Swapping exchanges the buffers without
// copying them.
#pragma once

#include <array>

#include "document/document_edit.h"

class CompactPagesEdit : public DocumentEdit {
public:
    // Keeps what compaction changes, as it is now.
    explicit CompactPagesEdit(const pw::Ttrlevel& level);
    EditChange Swap(pw::Ttrlevel& level, pw::AnimatedSets& sets) override;
    std::size_t Bytes() const override;

private:
    pw::Bytes pages8_, pages16_, pages32_;
    std::int32_t num_pages_;
    std::array<std::uint16_t, 3> tile_counts_;
    std::vector<pw::tobjtexture> object_textures_;
    pw::Bytes sprite_textures_;
};
