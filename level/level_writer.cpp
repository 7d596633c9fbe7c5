// SaveLevel: serialises the record in the layout that its version word and the target name select.
#include <algorithm>
#include <array>
#include <exception>
#include <filesystem>
#include <future>

#include "level/block_content.h"
#include "level/compression.h"
#include "level/file_replace.h"
#include "level/image_builder.h"
#include "level/layout.h"
#include "level/level_errors.h"
#include "level/level_file.h"
#include "level/save_plan.h"
#include "level/trc_rooms.h"
#include "level/trlevel.h"
#include "level/zfile.h"

namespace pw {
namespace {

using namespace layout;

// One compressed block as it goes into the file: in memory, or a segment of another file (the level
// it was read from, or a temporary file it was moved to so that it does not wait in memory), with the
// size and checksums of its content and of its packed bytes.
struct BlockResult {
    PackedBlock packed;
    FileSegment segment;
    BlockChecksums checksums;
};

// The record's compressed blocks a save may copy instead of compressing anew: bookkeeping that each
// save brings up to date, unlike the level's content, which it only reads.
struct KeptBlocks {
    std::array<tread_block, 4>& read;
    std::array<tread_block, 4>& opened;
};

struct PendingBlock {
    BlockResult ready;
    std::future<BlockResult> task;
};

class LevelWriter {
public:
    // With `spill`, blocks compressed anew wait for their turn in temporary files rather than in
    // memory (SaveLevel); without it, they stay in memory for the record to keep (SaveLevelImage).
    // `blocks` are the record's kept blocks, the only part of it a save brings up to date; `target`
    // is the file the save replaces (empty for a save in memory).
    LevelWriter(const Ttrlevel& level, KeptBlocks blocks, const SavePlan& plan, bool spill,
                std::string target = {})
        : l_(level), blocks_(blocks), plan_(plan), kind_(plan.target_kind), spill_(spill),
          target_(std::move(target)) {}
    LevelFile Run();
    // After the file was written as `file_name`: the blocks a later save may copy are those of that file.
    void RememberBlocksIn(const std::string& file_name, const LevelFile& file);
    // After an image was built in memory: the blocks it holds are kept in memory.
    void RememberPackedBlocks();

private:
    void WritePageHead(LevelFile& file);
    void WriteRooms();
    void WriteRoom(const troom& room);
    void WriteAnimWords();
    void WriteSectionsBeforeTextures();
    void WriteSectionsAfterTextures();
    void WriteObjectTextures();
    void Section(std::int32_t count, const Bytes& array, std::size_t element_size, bool u16 = false);
    std::vector<std::uint8_t> BuildLevelData();
    PendingBlock StartBlock(ReadBlockIndex index, BlockContent content);

    void AddBlock(LevelFile& file, ReadBlockIndex index, BlockResult& block);
    void CollectBlocks(std::array<PendingBlock, 4>& blocks);
    LevelFile AssembleCompressedKinds();

    const Ttrlevel& l_;
    KeptBlocks blocks_;
    const SavePlan& plan_;
    const std::int32_t kind_;
    bool spill_;
    std::string target_;
    ImageBuilder out_;
    Bytes level_data_;
    std::array<BlockResult, 4> results_;
    std::array<std::size_t, 4> pieces_{};
    bool has_blocks_ = false;
};

std::size_t Count(std::int32_t n) {
    return static_cast<std::size_t>(n > 0 ? n : 0);
}

std::size_t Count64(std::int64_t n) {
    return static_cast<std::size_t>(n > 0 ? n : 0);
}

Bytes BlockSizes(std::int64_t unpacked, std::size_t packed) {
    ImageBuilder b;
    b.U32(static_cast<std::uint32_t>(unpacked));
    b.U32(static_cast<std::uint32_t>(packed));
    return std::move(b.Bytes());
}

// Everything after the pages: kinds 6 and 7, the level data; kinds 1 to 5, the rest of the file.
std::vector<std::uint8_t> LevelWriter::BuildLevelData() {
    std::size_t trc_size_field = 0;
    if (kind_ == kind_trc)
        trc_size_field = WriteTrcHeadAndRooms(l_, out_);
    else
        WriteRooms();
    l_.SetProgress(80);
    WriteSectionsBeforeTextures();
    WriteSectionsAfterTextures();
    if (kind_ == kind_trc)
        FinishTrcLevelData(l_, out_, trc_size_field);
    else if (l_.level_tail_kind != kind_none && l_.level_tail_kind != kind_trc)
        out_.Raw(l_.level_tail);
    return std::move(out_.Bytes());
}

// Exactly `size` bytes of `data`, zero-padded when it holds fewer, lent to the file rather than copied.
void AddExactly(LevelFile& file, std::span<const std::uint8_t> data, std::size_t size, bool opaque_flags) {
    const auto lent = data.first(std::min(size, data.size()));
    if (opaque_flags)
        file.AddWithOpaqueFlags(lent);
    else
        file.Add(lent);
    if (lent.size() < size)
        file.Add(Bytes(size - lent.size(), 0));
}

// Kinds 1 to 5: the head and the pages that open the file. The pages go out from the record itself.
void LevelWriter::WritePageHead(LevelFile& file) {
    ImageBuilder head;
    head.U32(l_.version);
    if (kind_ >= kind_tr2) {
        head.Raw(l_.palette.data(), kPaletteBytes);
        head.Raw(l_.palette16.data(), kPalette16Bytes);
    }
    head.U32(static_cast<std::uint32_t>(l_.num_pages));
    file.Add(std::move(head.Bytes()));
    l_.SetProgress(30);
    AddExactly(file, l_.pages8, Count64(l_.page8_bytes), false);
    if (kind_ >= kind_tr2)
        AddExactly(file, l_.pages16, Count(l_.num_pages) * kPage16Bytes, plan_.set_opaque_flags);
    l_.SetProgress(50);
}

void LevelWriter::WriteRooms() {
    out_.Raw(l_.level_head.data(), 4);
    out_.U16(l_.num_rooms);
    for (const auto& room : l_.rooms)
        WriteRoom(room);
}

void LevelWriter::WriteRoom(const troom& room) {
    const bool old = kind_ <= kind_tub;
    const std::size_t v = old ? kVertex8Size : kVertex12Size;
    // The geometry's length in 16-bit words, worked out from the lists written.
    const auto data_words = static_cast<std::int32_t>(
        (room.num_vertices * v + room.num_rectangles * kRectangleSize + room.num_triangles * kTriangleSize +
         room.num_sprites * kRoomSpriteSize + 8) /
        2);
    for (auto x : room.info)
        out_.I32(x);
    out_.I32(data_words);
    out_.U16(room.num_vertices);
    out_.Exactly(old ? room.vertices8 : room.vertices12, room.num_vertices * v);
    out_.U16(room.num_rectangles);
    out_.Exactly(room.rectangles, room.num_rectangles * kRectangleSize);
    out_.U16(room.num_triangles);
    out_.Exactly(room.triangles, room.num_triangles * kTriangleSize);
    out_.U16(room.num_sprites);
    out_.Exactly(room.sprites, room.num_sprites * kRoomSpriteSize);
    out_.U16(room.num_portals);
    out_.Exactly(room.portals, room.num_portals * kPortalSize);
    out_.U16(room.num_z_sectors);
    out_.U16(room.num_x_sectors);
    out_.Exactly(room.sectors, std::size_t{room.num_z_sectors} * room.num_x_sectors * kSectorSize);
    out_.Raw(room.ambient.data(), 2);
    if (kind_ >= kind_tr2)
        out_.U16(room.ambient2);
    if (kind_ == kind_tr2 || kind_ == kind_trg)
        out_.U16(room.light_mode);
    out_.U16(room.num_lights);
    if (old)
        out_.Exactly(room.lights18, room.num_lights * kLight18Size);
    else if (kind_ <= kind_tr3)
        out_.Exactly(room.lights24, room.num_lights * kLight24Size);
    else
        out_.Exactly(room.lights46, room.num_lights * kLight46Size);
    out_.U16(room.num_statics);
    out_.Exactly(old ? room.statics18 : room.statics20,
                 room.num_statics * (old ? kStatic18Size : kStatic20Size));
    out_.U16(static_cast<std::uint16_t>(room.alternate_room));
    out_.Raw(room.flags.data(), 2);
    if (kind_ == kind_tr3 || kind_ == kind_tr4)
        out_.Raw(room.room_extra.data(), 3);
}

void LevelWriter::Section(std::int32_t count, const Bytes& array, std::size_t element_size, bool u16) {
    if (u16)
        out_.U16(static_cast<std::uint16_t>(count));
    else
        out_.U32(static_cast<std::uint32_t>(count));
    out_.Exactly(array, Count(count) * element_size);
}

void LevelWriter::WriteObjectTextures() {
    out_.U32(static_cast<std::uint32_t>(l_.num_object_textures));
    const std::size_t n = std::min(Count(l_.num_object_textures), l_.object_textures.size());
    for (std::size_t i = 0; i < Count(l_.num_object_textures); ++i) {
        const tobjtexture t = i < n ? l_.object_textures[i] : tobjtexture{};
        out_.U16(t.attribute);
        out_.U16(t.tile);
        if (kind_ >= kind_tr4)
            out_.U16(t.new_flags);
        for (const auto& v : t.vertices) {
            out_.U8(v.xcoord);
            out_.U8(v.xpixel);
            out_.U8(v.ycoord);
            out_.U8(v.ypixel);
        }
        if (kind_ >= kind_tr4) {
            out_.U32(t.base_u);
            out_.U32(t.base_v);
            out_.U32(t.width);
            out_.U32(t.height);
        }
        if (kind_ == kind_trc)
            out_.U16(t.trc_extra);
    }
}

void LevelWriter::WriteSectionsBeforeTextures() {
    const bool old_anims = kind_ <= kind_tr3;
    Section(l_.num_floor_data, l_.floor_data, kFloorDataSize);
    Section(l_.num_mesh_data, l_.mesh_data, kMeshDataSize);
    Section(l_.num_mesh_pointers, l_.mesh_pointers, kMeshPointerSize);
    Section(l_.num_animations, old_anims ? l_.animations32 : l_.animations40,
            old_anims ? kAnimation32Size : kAnimation40Size);
    Section(l_.num_state_changes, l_.state_changes, kStateChangeSize);
    Section(l_.num_anim_dispatches, l_.anim_dispatches, kAnimDispatchSize);
    Section(l_.num_anim_commands, l_.anim_commands, kAnimCommandSize);
    Section(l_.num_mesh_trees, l_.mesh_trees, kMeshTreeSize);
    Section(l_.num_frames, l_.frames, kFrameSize);
    if (kind_ == kind_trc)
        Section(l_.num_moveables, l_.moveables20, kMoveable20Size);
    else
        Section(l_.num_moveables, l_.moveables18, kMoveable18Size);
    Section(l_.num_static_meshes, l_.static_meshes, kStaticMeshSize);
    if (kind_ <= kind_trg)
        WriteObjectTextures();
    if (kind_ == kind_tr4)
        out_.Raw(l_.spr_marker.data(), 3);
    if (kind_ == kind_trc)
        out_.Raw(l_.spr_marker.data(), 4);
    Section(l_.num_sprite_textures, l_.sprite_textures, kSpriteTextureSize);
    Section(l_.num_sprite_sequences, l_.sprite_sequences, kSpriteSequenceSize);
    if (kind_ == kind_tub)
        out_.Raw(l_.palette.data(), kPaletteBytes);
    Section(l_.num_cameras, l_.cameras, kCameraSize);
    if (kind_ >= kind_tr4)
        Section(l_.num_flyby_cameras, l_.flyby_cameras, kFlybyCameraSize);
    Section(l_.num_sound_sources, l_.sound_sources, kSoundSourceSize);
    const bool big_boxes = kind_ <= kind_tub;
    Section(l_.num_boxes, big_boxes ? l_.boxes20 : l_.boxes8, big_boxes ? kBox20Size : kBox8Size);
    Section(l_.num_overlaps, l_.overlaps, kOverlapSize);
    static constexpr int kOldZones[] = {0, 1, 4, 5, 6, 9};
    static constexpr int kAllZones[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::span<const int> zones =
        big_boxes ? std::span<const int>(kOldZones) : std::span<const int>(kAllZones);
    for (int z : zones)
        out_.Exactly(l_.zones[static_cast<std::size_t>(z)], Count(l_.num_boxes) * kZoneEntrySize);
    WriteAnimWords();
    l_.SetProgress(85);
}

void LevelWriter::WriteAnimWords() {
    if (plan_.anim_words) {
        out_.U32(static_cast<std::uint32_t>(plan_.anim_words->size()));
        for (const std::uint16_t word : *plan_.anim_words)
            out_.U16(word);
        return;
    }
    out_.U32(static_cast<std::uint32_t>(l_.num_anim_words));
    for (std::size_t i = 0; i < Count(l_.num_anim_words); ++i)
        out_.U16(i < l_.anim_words.size() ? l_.anim_words[i] : 0);
}

void LevelWriter::WriteSectionsAfterTextures() {
    if (kind_ == kind_tr4)
        out_.Raw(l_.tex_marker.data(), 4);
    if (kind_ == kind_trc)
        out_.Raw(l_.tex_marker.data(), 5);
    if (kind_ >= kind_tr3)
        WriteObjectTextures();
    l_.SetProgress(90);
    if (kind_ <= kind_tub)
        Section(l_.num_items, l_.items22, kItem22Size);
    else
        Section(l_.num_items, l_.items24, kItem24Size);
    if (kind_ <= kind_tr3)
        out_.Raw(l_.light_map.data(), kLightMapBytes);
    if (kind_ == kind_tr1)
        out_.Raw(l_.palette.data(), kPaletteBytes);
    if (kind_ <= kind_tr3)
        Section(l_.num_cinematic_frames, l_.cinematic_frames, kCinematicFrameSize, true);
    else
        Section(l_.num_cinematic_frames, l_.ai_objects, kAiObjectSize);
    Section(l_.num_demo_data, l_.demo_data, kDemoDataSize, true);
    const std::size_t sound_map = kind_ <= kind_tub ? 512 : kind_ <= kind_tr4 ? 740 : 900;
    out_.Raw(l_.sound_map.data(), sound_map);
    Section(l_.num_sound_details, l_.sound_details, kSoundDetailSize);
    if (kind_ <= kind_tub) {
        out_.U32(l_.samples_size);
        out_.Exactly(l_.samples, l_.samples_size);
    }
    Section(l_.num_sample_indices, l_.sample_indices, kSampleIndexSize);
}

// Compresses a block; with `spill`, moves the packed bytes into a temporary file.
BlockResult Compress(std::span<const std::uint8_t> content, bool spill) {
    BlockResult r;
    r.packed = ZlibCompressBlock(content);
    r.checksums = {r.packed.size, Crc32(r.packed.Bytes()), content.size(), Crc32(content), Adler32(content)};
    if (spill) {
        FileSegment segment{std::shared_ptr<std::FILE>(std::tmpfile(),
                                                       [](std::FILE* f) {
                                                           if (f)
                                                               std::fclose(f);
                                                       }),
                            0, r.packed.size};
        if (segment.file &&
            std::fwrite(r.packed.data.get(), 1, r.packed.size, segment.file.get()) == r.packed.size &&
            std::fflush(segment.file.get()) == 0) {
            r.segment = std::move(segment);
            r.packed = {};
        }
    }
    return r;
}

bool SamePackedBytes(const tread_block& a, const tread_block& b) {
    return a.kept == b.kept && a.checksums.packed_size == b.checksums.packed_size &&
           a.checksums.packed_crc32 == b.checksums.packed_crc32;
}

// Whether the block's bytes are kept in the file `target` (which may be named another way).
bool LiesIn(const tread_block& block, const std::string& target) {
    if (!block.kept || block.file_name.empty() || target.empty())
        return false;
    std::error_code error;
    return block.file_name == target || std::filesystem::equivalent(block.file_name, target, error);
}

// Copies a block kept as a place in a file into memory; a block whose bytes have changed there is
// dropped.
void KeepInMemory(tread_block& block) {
    FileSegment segment{OpenShared(block.file_name.c_str()), block.file_offset, block.checksums.packed_size};
    PackedBlock bytes;
    if (!segment.file || !ReadSegment(segment, bytes) ||
        Crc32(bytes.Bytes()) != block.checksums.packed_crc32) {
        block = {};
        return;
    }
    block.packed = std::move(bytes);
    block.file_name.clear();
    block.file_offset = 0;
}

// The block as read, when its content is unchanged and its packed bytes are still at hand (in memory,
// or unchanged in the file they were read from).
bool KeptBlock(const tread_block& read, const BlockContent& content, BlockResult& r) {
    if (!read.Matches(content.Size(), content.Sums()))
        return false;
    r = {};
    r.checksums = read.checksums;
    if (read.file_name.empty()) {
        r.packed = read.packed;
        return r.packed.data != nullptr;
    }
    r.segment = {OpenShared(read.file_name.c_str()), read.file_offset, read.checksums.packed_size};
    std::uint32_t crc = 0;
    return r.segment.file && SegmentCrc32(r.segment, crc) && crc == read.checksums.packed_crc32;
}

// The packed form of one block, worked out on a thread of its own so that the blocks of a level are
// checked and compressed concurrently: the bytes read when the content is unchanged, else the block
// compressed anew (moved into a temporary file when done, so that finished blocks do not wait in
// memory for the others). Each task touches only its own kept block.
// The opened file's bytes come first, so that a level taken back to what was opened is written as it
// was read. Opened bytes that lie in the file this save replaces are copied into memory first.
// A content that differs from the record's bytes (padding, opaque flags) is put together only for the
// compressor, and let go as soon as it is done.
PendingBlock LevelWriter::StartBlock(ReadBlockIndex index, BlockContent content) {
    PendingBlock block;
    tread_block& read = blocks_.read[index];
    tread_block& opened = blocks_.opened[index];
    block.task = std::async(std::launch::async, [content, &read, &opened, spill = spill_, this] {
        BlockResult kept;
        if (KeptBlock(opened, content, kept) ||
            (!SamePackedBytes(read, opened) && KeptBlock(read, content, kept)))
            return kept;
        if (LiesIn(opened, target_))
            KeepInMemory(opened);
        read = {}; // stale: let its bytes go before the new form is built
        Bytes scratch;
        return Compress(content.Whole(scratch), spill);
    });
    return block;
}

void LevelWriter::AddBlock(LevelFile& file, ReadBlockIndex index, BlockResult& block) {
    pieces_[index] = file.PieceCount();
    if (block.segment.file)
        file.Add(block.segment);
    else
        file.Add(block.packed);
}

void LevelWriter::RememberPackedBlocks() {
    for (std::size_t i = 0; i < results_.size(); ++i) {
        const BlockResult& block = results_[i];
        if (!block.packed.data)
            continue;
        tread_block& read = blocks_.read[i];
        read = {};
        read.packed = block.packed;
        read.checksums = block.checksums;
        read.kept = true;
    }
}

void LevelWriter::RememberBlocksIn(const std::string& file_name, const LevelFile& file) {
    if (!has_blocks_)
        return;
    for (std::size_t i = 0; i < results_.size(); ++i) {
        if (i == block_level_data && kind_ != kind_tr4)
            continue;
        tread_block& read = blocks_.read[i];
        read = {};
        read.file_name = file_name;
        read.file_offset = file.OffsetOf(pieces_[i]);
        read.checksums = results_[i].checksums;
        read.kept = true;
        // Opened bytes that lay in the replaced file are found again where this save wrote them
        // unchanged; the others were copied into memory before the file was replaced.
        tread_block& opened = blocks_.opened[i];
        if (LiesIn(opened, file_name))
            opened = SamePackedBytes(opened, read) ? read : tread_block{};
    }
}

LevelFile LevelWriter::Run() {
    if (kind_ < kind_tr4) {
        LevelFile file;
        WritePageHead(file);
        file.Add(std::move(BuildLevelData()));
        return file;
    }
    // Kinds 6 and 7: the texture blocks start compressing while the level data is built.
    std::array<PendingBlock, 4> blocks;
    blocks[block_pages32] =
        StartBlock(block_pages32, BlockContent(l_.pages32, Count64(l_.page8_bytes * 4), false));
    blocks[block_pages16] = StartBlock(
        block_pages16, BlockContent(l_.pages16, Count64(l_.page8_bytes * 2), plan_.set_opaque_flags));
    blocks[block_misc32] =
        StartBlock(block_misc32, BlockContent(l_.misc_pages32, Count64(l_.misc32_size), false));
    try {
        level_data_ = BuildLevelData();
        if (kind_ == kind_tr4)
            blocks[block_level_data] =
                StartBlock(block_level_data, BlockContent(level_data_, level_data_.size(), false));
    } catch (...) {
        for (auto& b : blocks)
            if (b.task.valid())
                b.task.wait();
        throw;
    }
    CollectBlocks(blocks);
    return AssembleCompressedKinds();
}

// Waits for every block; the first failure of any of them is raised once all are done.
void LevelWriter::CollectBlocks(std::array<PendingBlock, 4>& blocks) {
    std::exception_ptr failure;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        try {
            results_[i] = blocks[i].task.valid() ? blocks[i].task.get() : std::move(blocks[i].ready);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
    has_blocks_ = true;
}

// Kinds 6 and 7: the head, the three texture blocks, the level data and the samples.
LevelFile LevelWriter::AssembleCompressedKinds() {
    LevelFile file;
    ImageBuilder head;
    head.U32(l_.version);
    head.U16(l_.num_room_tiles);
    head.U16(l_.num_object_tiles);
    head.U16(l_.num_bump_tiles);
    head.U32(static_cast<std::uint32_t>(l_.page8_bytes * 4));
    head.U32(static_cast<std::uint32_t>(results_[block_pages32].checksums.packed_size));
    file.Add(std::move(head.Bytes()));
    AddBlock(file, block_pages32, results_[block_pages32]);
    file.Add(BlockSizes(l_.page8_bytes * 2, results_[block_pages16].checksums.packed_size));
    AddBlock(file, block_pages16, results_[block_pages16]);
    file.Add(BlockSizes(l_.misc32_size, results_[block_misc32].checksums.packed_size));
    AddBlock(file, block_misc32, results_[block_misc32]);
    if (kind_ == kind_tr4) {
        file.Add(BlockSizes(static_cast<std::int64_t>(level_data_.size()),
                            results_[block_level_data].checksums.packed_size));
        AddBlock(file, block_level_data, results_[block_level_data]);
    } else {
        file.Add(std::move(level_data_));
    }
    file.Add(std::span(l_.samples).first(std::min<std::size_t>(l_.samples_size, l_.samples.size())));
    if (l_.samples.size() < l_.samples_size)
        file.Add(Bytes(l_.samples_size - l_.samples.size(), 0));
    return file;
}

// Refuses what the layout of the target cannot hold, before anything is written.
void CheckSavable(const Ttrlevel& level, std::int32_t target_kind, const std::string& file_name) {
    if (level.num_pages < 0 || static_cast<std::size_t>(level.num_pages) > layout::kMaxPages)
        throw UnsupportedSave("Cannot save " + file_name + ": the level has " +
                              std::to_string(level.num_pages) + " pages, more than the " +
                              std::to_string(layout::kMaxPages) + " a level may hold");
    if (target_kind == kind_trc && level.num_rooms > 0 &&
        !(level.geometry_flags & layout::kGeometryHasHeader))
        throw UnsupportedSave("Cannot save " + file_name +
                              " as a .trc level: its rooms were not read from a .trc file");
    // A .trc level's rooms (88-byte lights, flip-room links, water and reverb bytes, layered
    // geometry) and its third texture block have no faithful form in the .tr4 layout.
    if (target_kind == kind_tr4 && level.read_kind == kind_trc)
        throw UnsupportedSave("Cannot save " + file_name +
                              " as a .tr4 level: it was read from a .trc file, whose rooms the .tr4 "
                              "layout cannot hold; save it under a name ending in .trc");
}

// Checks the target and completes the plan with the kind it selects.
SavePlan PlanFor(const Ttrlevel& level, const std::string& file_name, SavePlan plan) {
    const std::int32_t target_kind = KindForVersion(level.version, file_name);
    CheckSavable(level, target_kind, file_name);
    if (plan.target_kind == kind_none)
        plan.target_kind = target_kind != kind_none ? target_kind : level.kind;
    return plan;
}

} // namespace

LevelFile Ttrlevel::BuildLevelFile(const std::string& file_name, const SavePlan& plan) {
    const SavePlan full = PlanFor(*this, file_name, plan);
    LevelWriter writer(*this, {read_blocks, opened_blocks}, full, false);
    LevelFile file = writer.Run();
    writer.RememberPackedBlocks();
    return file;
}

Result NothingLoaded(const std::string& file_name) {
    return {Status::nothing_loaded, "Cannot save " + file_name + ": no level is loaded"};
}

Result Ttrlevel::SaveLevelImage(const std::string& file_name, std::vector<std::uint8_t>& image,
                                     const SavePlan& plan) {
    image.clear();
    if (!IsLoaded())
        return NothingLoaded(file_name);
    try {
        image = BuildLevelFile(file_name, plan).Join();
    } catch (const LevelError& e) {
        return e.AsResult();
    }
    return {};
}

Result Ttrlevel::SaveLevel(const std::string& file_name, const SavePlan& plan) {
    SetProgress(0);
    if (!IsLoaded())
        return NothingLoaded(file_name);
    Result result;
    try {
        const SavePlan full = PlanFor(*this, file_name, plan);
        LevelWriter writer(*this, {read_blocks, opened_blocks}, full, true, file_name);
        const LevelFile file = writer.Run();
        SetProgress(100);
        result = ReplaceFileContents(file_name, [&file, &file_name](std::FILE* f) {
            file.WriteTo(f, file_name);
            return Result{};
        });
        if (result)
            writer.RememberBlocksIn(file_name, file);
    } catch (const LevelError& e) {
        result = e.AsResult();
    } catch (...) {
        SetProgress(0);
        throw;
    }
    SetProgress(0);
    return result;
}

} // namespace pw
