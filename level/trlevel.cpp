#include "level/trlevel.h"

#include <string_view>

#include "level/compression.h"
#include "level/gauge.h"
#include "level/layout.h"
#include "level/page_access.h"

namespace pw {
namespace {

// The file-name part of a path: a folder named "levels.tub" says nothing about the files in it.
std::string_view FileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
}

bool NameContains(const std::string& path, const char* upper, const char* lower) {
    const std::string_view name = FileNamePart(path);
    return name.find(upper) != std::string_view::npos || name.find(lower) != std::string_view::npos;
}

// Sets a counted byte array to n elements of `size` bytes, keeping what it holds, zero-filling the rest.
void Resize(Bytes& array, std::int32_t n, std::size_t size) {
    array.resize(static_cast<std::size_t>(n > 0 ? n : 0) * size);
}

} // namespace

bool tread_block::Matches(std::span<const std::uint8_t> content) const {
    return kept && content.size() == checksums.size && Crc32(content) == checksums.crc32 &&
           Adler32(content) == checksums.adler32 && (packed.data != nullptr || !file_name.empty());
}

bool tread_block::Matches(std::size_t content_size, const ContentSums& sums) const {
    return kept && content_size == checksums.size && sums.crc32 == checksums.crc32 &&
           sums.adler32 == checksums.adler32 && (packed.data != nullptr || !file_name.empty());
}

bool IsKnownVersion(std::uint32_t version) {
    using namespace layout;
    return version == kVersionTr1 || version == kVersionTr2 || version == kVersionTr3a ||
           version == kVersionTr3b || version == kVersionTr4 || version == kVersionTr4Alt;
}

bool TexturesOnlyStopsAfterPages(std::int32_t kind) {
    return kind >= kind_tr2;
}

std::int32_t KindForVersion(std::uint32_t version, const std::string& file_name) {
    using namespace layout;
    switch (version) {
    case kVersionTr1:
        return NameContains(file_name, ".TUB", ".tub") ? kind_tub : kind_tr1;
    case kVersionTr2:
        return NameContains(file_name, ".TRG", ".trg") ? kind_trg : kind_tr2;
    case kVersionTr3a:
    case kVersionTr3b:
        return kind_tr3;
    case kVersionTr4:
    case kVersionTr4Alt:
        return NameContains(file_name, ".TRC", ".trc") ? kind_trc : kind_tr4;
    default:
        return kind_none;
    }
}

void Ttrlevel::Clear() {
    Gauge* kept = gauge;
    const bool room = page_room;
    *this = Ttrlevel();
    gauge = kept;
    page_room = room;
}

void Ttrlevel::SetProgress(int percent) const {
    if (gauge)
        gauge->SetProgress(percent);
}

bool Ttrlevel::AddPage() {
    if (num_pages < 0 || static_cast<std::size_t>(num_pages) >= layout::kMaxPages)
        return false;
    for (const PageDepth depth : {PageDepth::bits8, PageDepth::bits16, PageDepth::bits32})
        if (CarriesDepth(kind, depth))
            PageBlock(*this, depth).resize(PageBlock(*this, depth).size() + PageBytes(depth));
    num_pages += 1;
    page8_bytes = std::int64_t{num_pages} * static_cast<std::int64_t>(layout::kPage8Bytes);
    num_room_tiles = static_cast<std::uint16_t>(num_room_tiles + 1);
    return true;
}

bool Ttrlevel::RemoveLastPage() {
    if (num_pages <= 0)
        return false;
    for (const PageDepth depth : {PageDepth::bits8, PageDepth::bits16, PageDepth::bits32}) {
        Bytes& block = PageBlock(*this, depth);
        if (CarriesDepth(kind, depth))
            block.resize(block.size() - std::min(block.size(), PageBytes(depth)));
    }
    num_pages -= 1;
    page8_bytes = std::int64_t{num_pages} * static_cast<std::int64_t>(layout::kPage8Bytes);
    num_room_tiles = static_cast<std::uint16_t>(num_room_tiles - 1);
    return true;
}

void Ttrlevel::SetRoomCount(std::uint16_t n) {
    rooms.resize(n);
    num_rooms = n;
}

#define PW_SET_COUNT(Name, count, array, size)                                                               \
    void Ttrlevel::Name(std::int32_t n) {                                                                    \
        Resize(array, n, size);                                                                              \
        count = n;                                                                                           \
    }

PW_SET_COUNT(SetFloorDataCount, num_floor_data, floor_data, layout::kFloorDataSize)
PW_SET_COUNT(SetMeshDataCount, num_mesh_data, mesh_data, layout::kMeshDataSize)
PW_SET_COUNT(SetMeshPointerCount, num_mesh_pointers, mesh_pointers, layout::kMeshPointerSize)
PW_SET_COUNT(SetStateChangeCount, num_state_changes, state_changes, layout::kStateChangeSize)
PW_SET_COUNT(SetAnimDispatchCount, num_anim_dispatches, anim_dispatches, layout::kAnimDispatchSize)
PW_SET_COUNT(SetAnimCommandCount, num_anim_commands, anim_commands, layout::kAnimCommandSize)
PW_SET_COUNT(SetMeshTreeCount, num_mesh_trees, mesh_trees, layout::kMeshTreeSize)
PW_SET_COUNT(SetFrameCount, num_frames, frames, layout::kFrameSize)
PW_SET_COUNT(SetStaticMeshCount, num_static_meshes, static_meshes, layout::kStaticMeshSize)
PW_SET_COUNT(SetSpriteTextureCount, num_sprite_textures, sprite_textures, layout::kSpriteTextureSize)
PW_SET_COUNT(SetSpriteSequenceCount, num_sprite_sequences, sprite_sequences, layout::kSpriteSequenceSize)
PW_SET_COUNT(SetCameraCount, num_cameras, cameras, layout::kCameraSize)
PW_SET_COUNT(SetFlybyCameraCount, num_flyby_cameras, flyby_cameras, layout::kFlybyCameraSize)
PW_SET_COUNT(SetSoundSourceCount, num_sound_sources, sound_sources, layout::kSoundSourceSize)
PW_SET_COUNT(SetOverlapCount, num_overlaps, overlaps, layout::kOverlapSize)
PW_SET_COUNT(SetDemoDataCount, num_demo_data, demo_data, layout::kDemoDataSize)
PW_SET_COUNT(SetSoundDetailCount, num_sound_details, sound_details, layout::kSoundDetailSize)
PW_SET_COUNT(SetSampleIndexCount, num_sample_indices, sample_indices, layout::kSampleIndexSize)

#undef PW_SET_COUNT

void Ttrlevel::SetAnimationCount(std::int32_t n) {
    if (kind <= kind_tr3)
        Resize(animations32, n, layout::kAnimation32Size);
    else
        Resize(animations40, n, layout::kAnimation40Size);
    num_animations = n;
}

void Ttrlevel::SetMoveableCount(std::int32_t n) {
    Resize(moveables18, n, layout::kMoveable18Size);
    Resize(moveables20, n, layout::kMoveable20Size);
    num_moveables = n;
}

void Ttrlevel::SetObjectTextureCount(std::int32_t n) {
    object_textures.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    num_object_textures = n;
}

void Ttrlevel::SetBoxCount(std::int32_t n) {
    Resize(boxes20, n, layout::kBox20Size);
    Resize(boxes8, n, layout::kBox8Size);
    num_boxes = n;
}

void Ttrlevel::SetZoneCount(std::int32_t n) {
    for (auto& zone : zones)
        Resize(zone, n, layout::kZoneEntrySize);
    num_zones = n;
}

void Ttrlevel::SetAnimWordCount(std::int32_t n) {
    anim_words.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    num_anim_words = n;
}

void Ttrlevel::SetItemCount(std::int32_t n) {
    Resize(items22, n, layout::kItem22Size);
    Resize(items24, n, layout::kItem24Size);
    num_items = n;
}

void Ttrlevel::SetCinematicCount(std::int32_t n) {
    if (kind <= kind_tr3)
        Resize(cinematic_frames, n, layout::kCinematicFrameSize);
    else
        Resize(ai_objects, n, layout::kAiObjectSize);
    num_cinematic_frames = n;
}

} // namespace pw
