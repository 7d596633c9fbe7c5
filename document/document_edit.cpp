#include "document/document_edit.h"

#include <algorithm>
#include <utility>

#include "level/face_texture_words.h"
#include "level/layout.h"

namespace {

using pw::layout::kPageSide;

std::size_t BytesPerPixel(pw::PageDepth depth) {
    return pw::PageBytes(depth) / (kPageSide * kPageSide);
}

} // namespace

PixelsEdit::PixelsEdit(const pw::Ttrlevel& level, int page, int left, int top, int width, int height)
    : page_(page), left_(std::clamp(left, 0, kPageSide)), top_(std::clamp(top, 0, kPageSide)),
      width_(std::clamp(width, 0, kPageSide - left_)), height_(std::clamp(height, 0, kPageSide - top_)) {
    for (const pw::PageDepth depth : {pw::PageDepth::bits8, pw::PageDepth::bits16, pw::PageDepth::bits32}) {
        const auto pixels = pw::PageSpan(level, depth, page);
        if (!pw::CarriesDepth(level.kind, depth) || pixels.empty())
            continue;
        const std::size_t bpp = BytesPerPixel(depth);
        const std::size_t row = bpp * static_cast<std::size_t>(width_);
        Depth kept{depth, pw::Bytes(row * static_cast<std::size_t>(height_))};
        for (int y = 0; y < height_; ++y) {
            const auto from =
                pixels.begin() + static_cast<std::ptrdiff_t>(((top_ + y) * kPageSide + left_) * bpp);
            std::copy(from, from + static_cast<std::ptrdiff_t>(row),
                      kept.bytes.begin() + static_cast<std::ptrdiff_t>(y * row));
        }
        depths_.push_back(std::move(kept));
    }
}

EditChange PixelsEdit::Swap(pw::Ttrlevel& level, pw::AnimatedSets&) {
    for (Depth& kept : depths_) {
        const auto pixels = pw::PageSpan(level, kept.depth, page_);
        if (pixels.empty())
            continue;
        const std::size_t bpp = BytesPerPixel(kept.depth);
        const std::size_t row = bpp * static_cast<std::size_t>(width_);
        for (int y = 0; y < height_; ++y) {
            const auto at =
                pixels.begin() + static_cast<std::ptrdiff_t>(((top_ + y) * kPageSide + left_) * bpp);
            std::swap_ranges(at, at + static_cast<std::ptrdiff_t>(row),
                             kept.bytes.begin() + static_cast<std::ptrdiff_t>(y * row));
        }
    }
    return {EditChange::What::page_pixels, page_};
}

std::size_t PixelsEdit::Bytes() const {
    std::size_t bytes = sizeof(*this);
    for (const Depth& kept : depths_)
        bytes += sizeof(Depth) + kept.bytes.capacity();
    return bytes;
}

TexturesEdit::TexturesEdit(const pw::Ttrlevel& level, int first, int count)
    : first_(first), table_length_(level.num_object_textures) {
    const auto& table = level.object_textures;
    const std::size_t from = std::min(static_cast<std::size_t>(std::max(first, 0)), table.size());
    const std::size_t to = std::min(from + static_cast<std::size_t>(std::max(count, 0)), table.size());
    records_.assign(table.begin() + static_cast<std::ptrdiff_t>(from),
                    table.begin() + static_cast<std::ptrdiff_t>(to));
}

// An edit that changed the table's length holds everything from `first` to the end; one that did not
// holds as many records as it changed.
EditChange TexturesEdit::Swap(pw::Ttrlevel& level, pw::AnimatedSets&) {
    const int length = level.num_object_textures;
    const std::size_t end = length != table_length_ ? static_cast<std::size_t>(std::max(length, first_))
                                                    : static_cast<std::size_t>(first_) + records_.size();
    auto& table = level.object_textures;
    std::vector<pw::tobjtexture> current(
        table.begin() + first_, table.begin() + static_cast<std::ptrdiff_t>(std::min(end, table.size())));
    if (length != table_length_)
        level.SetObjectTextureCount(table_length_);
    std::copy(records_.begin(), records_.end(), table.begin() + first_);
    records_ = std::move(current);
    table_length_ = length;
    return {EditChange::What::textures, first_};
}

std::size_t TexturesEdit::Bytes() const {
    return sizeof(*this) + records_.capacity() * sizeof(pw::tobjtexture);
}

AnimatedSetsEdit::AnimatedSetsEdit(const pw::Ttrlevel& level, const pw::AnimatedSets& sets)
    : sets_(sets), anim_words_(level.anim_words), anim_word_count_(level.num_anim_words) {}

EditChange AnimatedSetsEdit::Swap(pw::Ttrlevel& level, pw::AnimatedSets& sets) {
    std::swap(sets_, sets);
    std::swap(anim_words_, level.anim_words);
    std::swap(anim_word_count_, level.num_anim_words);
    return {EditChange::What::animated_sets};
}

std::size_t AnimatedSetsEdit::Bytes() const {
    std::size_t bytes = sizeof(*this) + anim_words_.capacity() * 2;
    for (const pw::AnimatedSet& set : sets_)
        bytes += sizeof(set) + set.capacity() * 2;
    return bytes;
}

FaceWordsEdit::FaceWordsEdit(const pw::Ttrlevel& level, pw::MeshFaces meshes)
    : meshes_(std::move(meshes)), words_(pw::ReadFaceTextureWords(level, meshes_)) {}

EditChange FaceWordsEdit::Swap(pw::Ttrlevel& level, pw::AnimatedSets&) {
    std::vector<std::uint16_t> current = pw::ReadFaceTextureWords(level, meshes_);
    pw::WriteFaceTextureWords(level, meshes_, words_);
    words_ = std::move(current);
    return {EditChange::What::textures, 0};
}

std::size_t FaceWordsEdit::Bytes() const {
    return sizeof(*this) + words_.capacity() * 2 + meshes_.texture_words.capacity() * sizeof(std::size_t);
}

EditChange AddPageEdit::Swap(pw::Ttrlevel& level, pw::AnimatedSets&) {
    if (present_)
        level.RemoveLastPage();
    else
        level.AddPage();
    present_ = !present_;
    return {present_ ? EditChange::What::page_added : EditChange::What::page_removed, page_};
}

EditChange EditGroup::Swap(pw::Ttrlevel& level, pw::AnimatedSets& sets) {
    EditChange change{EditChange::What::several};
    for (const auto& part : parts_)
        change.parts.push_back(part->Swap(level, sets));
    std::reverse(parts_.begin(), parts_.end());
    return change;
}

std::size_t EditGroup::Bytes() const {
    std::size_t bytes = sizeof(*this) + parts_.capacity() * sizeof(parts_.front());
    for (const auto& part : parts_)
        bytes += part->Bytes();
    return bytes;
}
