// LoadLevel: recognises a level file and reads it section by section into the record.
#include <cmath>
#include <filesystem>

#include "level/compression.h"
#include "level/file_replace.h"
#include "level/image_cursor.h"
#include "level/layout.h"
#include "level/level_errors.h"
#include "level/level_file_names.h"
#include "level/object_textures.h"
#include "level/trc_rooms.h"
#include "level/trlevel.h"
#include "level/zfile.h"

namespace pw {
namespace {

using namespace layout;

// Smallest byte count of a room in kinds 1 to 6: the fixed fields with every list empty.
constexpr std::size_t kMinRoomBytes = 44;

class LevelReader {
public:
    // `source_file`: the plain file the image was read from, whose blocks a save may copy again;
    // empty when the blocks must be kept in memory.
    LevelReader(Ttrlevel& level, std::vector<std::uint8_t> image, bool textures_only, std::string source_file)
        : l_(level), image_(std::move(image)), in_(image_), textures_only_(textures_only),
          source_file_(std::move(source_file)) {}

    void Run(const std::string& file_name);

private:
    void Recognise(const std::string& file_name);
    void ReadTextureBlocks();
    void ReadBlock(ReadBlockIndex index, std::size_t limit, Bytes& into, std::int64_t& size,
                   std::uint32_t& packed);
    void CheckPageClaims() const;
    void CheckSampleRecords() const;
    void ReadKind6LevelData();
    void DropConsumedImage();
    void KeepReadBlock(tread_block& block, std::span<const std::uint8_t> packed,
                       std::span<const std::uint8_t> content) const;
    void ReadPages();
    void ReservePageRoom(Bytes& block, std::size_t page_bytes) const;
    void ReadRooms();
    void ReadRoom(troom& room);
    void ReadRoomVertices(troom& room);
    void ReadRoomLights(troom& room);
    void ReadSections();
    void ReadSectionsBeforeTextures();
    void ReadSectionsAfterTextures();
    void ReadObjectTextures();
    void ReadItems();
    void ReadTail(std::size_t trc_level_end);
    // Reads a u32 (or u16) count, sizes the array through `set` and fills it.
    template <typename SetCount>
    void Section(const char* name, Bytes& array, std::size_t element_size, SetCount set, bool u16 = false);

    Ttrlevel& l_;
    std::vector<std::uint8_t> image_;
    ImageCursor in_;
    bool textures_only_;
    std::string source_file_;
    std::size_t dropped_ = 0; // bytes of the file before image_ (see DropConsumedImage)
};

void LevelReader::Run(const std::string& file_name) {
    Recognise(file_name);
    if (l_.kind >= kind_tr4)
        ReadTextureBlocks();
    if (l_.kind == kind_tr4)
        ReadKind6LevelData();
    if (l_.kind >= kind_tr2 && l_.kind <= kind_tr3) {
        in_.SetSection("palettes");
        in_.Read(l_.palette.data(), kPaletteBytes);
        in_.Read(l_.palette16.data(), kPalette16Bytes);
    }
    if (l_.kind <= kind_tr3)
        ReadPages();
    if (textures_only_ && TexturesOnlyStopsAfterPages(l_.kind))
        return;
    std::size_t trc_level_end = 0;
    if (l_.kind == kind_trc)
        trc_level_end = ReadTrcHeadAndRooms(l_, in_);
    else
        ReadRooms();
    ReadSections();
    ReadTail(trc_level_end);
    l_.SetProgress(100);
}

void LevelReader::Recognise(const std::string& file_name) {
    in_.SetSection("version word");
    if (in_.Remaining() < 4)
        throw in_.Invalid("the file is too short to be a level");
    l_.version = in_.U32();
    if (!IsKnownVersion(l_.version)) {
        l_.version = 0;
        throw in_.Invalid("not a level of a known version");
    }
    l_.marker = kLoadedMarker;
    l_.kind = KindForVersion(l_.version, file_name);
    l_.read_kind = l_.kind;
}

std::uint32_t BigEndianU32(std::span<const std::uint8_t> b) {
    return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
           static_cast<std::uint32_t>(b[2]) << 8 | static_cast<std::uint32_t>(b[3]);
}

void Inflate(ImageCursor& in, std::span<const std::uint8_t> packed, std::uint32_t claimed, std::size_t limit,
             Bytes& into) {
    try {
        ZlibInflate(packed, claimed, limit, into);
    } catch (const InvalidLevelFile& e) {
        throw in.Invalid(e.what());
    }
}

// Keeps the packed bytes (or where they lie in the file) with the checksums of what they inflate to,
// so that a save can write them again when the content is unchanged. The Adler-32 of the content is
// the stream's own trailer, which inflating has just checked.
void LevelReader::KeepReadBlock(tread_block& block, std::span<const std::uint8_t> packed,
                                std::span<const std::uint8_t> content) const {
    if (packed.size() < 4)
        return;
    block = {};
    block.checksums = {packed.size(), Crc32(packed), content.size(), Crc32(content),
                       BigEndianU32(packed.last(4))};
    if (source_file_.empty()) {
        block.packed.data = std::shared_ptr<std::uint8_t[]>(new std::uint8_t[packed.size()]);
        std::copy(packed.begin(), packed.end(), block.packed.data.get());
        block.packed.size = packed.size();
    } else {
        block.file_name = source_file_;
        block.file_offset = dropped_ + static_cast<std::size_t>(packed.data() - image_.data());
    }
    block.kept = true;
}

void LevelReader::ReadBlock(ReadBlockIndex index, std::size_t limit, Bytes& into, std::int64_t& size,
                            std::uint32_t& packed) {
    in_.Require(8, 1); // a block without its two sizes is a cut file
    const std::uint32_t unpacked = in_.U32();
    packed = in_.U32();
    const auto stream = in_.Take(packed);
    Inflate(in_, stream, unpacked, limit, into);
    size = static_cast<std::int64_t>(into.size());
    KeepReadBlock(l_.read_blocks[index], stream, into);
    l_.opened_blocks[index] = l_.read_blocks[index];
}

// The 16-bit block's claim decides the page count: look at it before inflating the 32-bit block,
// so that a level of too many pages is refused before a gigabyte is inflated for it.
void LevelReader::CheckPageClaims() const {
    ImageCursor ahead(in_);
    ahead.Require(8, 1);
    const std::uint32_t claim32 = ahead.U32();
    ahead.Take(ahead.U32());
    ahead.SetSection("16-bit texture block");
    ahead.Require(8, 1);
    const std::uint32_t claim16 = ahead.U32();
    if (claim32 > kMaxPages * kPage32Bytes || claim16 > kMaxPages * kPage16Bytes)
        throw in_.Invalid("the texture blocks claim more than " + std::to_string(kMaxPages) + " pages");
}

// The packed 32-bit pages are the bulk of a kind 6 or 7 file: keep only the bytes after them, so the
// packed form is not held while the other blocks are inflated (peak memory of a load).
void LevelReader::DropConsumedImage() {
    const auto rest = in_.Rest();
    dropped_ += in_.Position();
    std::vector<std::uint8_t> remaining(rest.begin(), rest.end());
    image_ = std::move(remaining);
    std::string section = in_.Section();
    in_ = ImageCursor(image_, "the file", dropped_);
    in_.SetSection(std::move(section));
}

void LevelReader::ReadTextureBlocks() {
    in_.SetSection("texture head");
    in_.Require(6, 1);
    l_.num_room_tiles = in_.U16();
    l_.num_object_tiles = in_.U16();
    l_.num_bump_tiles = in_.U16();
    in_.SetSection("32-bit texture block");
    CheckPageClaims();
    ReservePageRoom(l_.pages32, kPage32Bytes);
    ReservePageRoom(l_.pages16, kPage16Bytes);
    ReadBlock(block_pages32, kMaxPages * kPage32Bytes, l_.pages32, l_.size32, l_.packed32);
    DropConsumedImage();
    l_.SetProgress(20);
    in_.SetSection("16-bit texture block");
    ReadBlock(block_pages16, kMaxPages * kPage16Bytes, l_.pages16, l_.size16, l_.packed16);
    l_.SetProgress(30);
    in_.SetSection("third texture block");
    ReadBlock(block_misc32, kMaxMiscBlockBytes, l_.misc_pages32, l_.misc32_size, l_.misc32_packed);
    l_.SetProgress(40);
    l_.num_pages = static_cast<std::int32_t>(l_.size16 / static_cast<std::int64_t>(kPage16Bytes));
    l_.page8_bytes = std::int64_t{l_.num_pages} * static_cast<std::int64_t>(kPage8Bytes);
    // Both page buffers hold exactly num_pages pages, whatever the blocks' sizes were.
    const auto pages = static_cast<std::size_t>(l_.num_pages);
    l_.pages16.resize(pages * kPage16Bytes);
    l_.pages32.resize(pages * kPage32Bytes);
}

void LevelReader::ReadKind6LevelData() {
    in_.SetSection("level data block");
    in_.Require(8, 1);
    const std::uint32_t unpacked = in_.U32();
    const std::uint32_t packed = in_.U32();
    std::vector<std::uint8_t> level_data;
    const auto stream = in_.Take(packed);
    Inflate(in_, stream, unpacked, kMaxLevelDataBytes, level_data);
    KeepReadBlock(l_.read_blocks[block_level_data], stream, level_data);
    l_.opened_blocks[block_level_data] = l_.read_blocks[block_level_data];
    in_.SetSection("sound samples");
    CheckSampleRecords();
    const auto rest = in_.Rest();
    l_.samples.assign(rest.begin(), rest.end());
    l_.samples_size = static_cast<std::uint32_t>(l_.samples.size());
    image_ = std::move(level_data);
    in_ = ImageCursor(image_, "the inflated level data");
    l_.SetProgress(50);
}

// The sample area of kinds 6 and 7 (every byte after the level data): a u32 count, then per sample
// a u32 unpacked size, a u32 packed size and that many bytes. The records are only walked, to find a
// file cut inside them; the bytes are kept raw, and any bytes after the last record stay as they are.
void LevelReader::CheckSampleRecords() const {
    ImageCursor walk(in_);
    const std::uint32_t count = walk.U32();
    for (std::uint32_t i = 0; i < count; ++i) {
        walk.SetSection("sound sample " + std::to_string(i + 1) + " of " + std::to_string(count));
        walk.U32();
        walk.Take(walk.U32());
    }
}

// Room for the most pages a level may hold, for a program that adds pages (see Ttrlevel::page_room):
// reserved before the block is filled, so that it is never copied to grow.
void LevelReader::ReservePageRoom(Bytes& block, std::size_t page_bytes) const {
    if (l_.page_room)
        block.reserve(kMaxPages * page_bytes);
}

void LevelReader::ReadPages() {
    in_.SetSection("texture pages");
    const std::uint32_t pages = in_.U32();
    if (pages > kMaxPages)
        throw in_.Invalid("the file claims " + std::to_string(pages) + " pages, more than " +
                          std::to_string(kMaxPages));
    const std::size_t bytes_per_page = l_.kind >= kind_tr2 ? kPage8Bytes + kPage16Bytes : kPage8Bytes;
    in_.Require(pages, bytes_per_page);
    l_.num_pages = static_cast<std::int32_t>(pages);
    l_.page8_bytes = std::int64_t{l_.num_pages} * static_cast<std::int64_t>(kPage8Bytes);
    l_.SetProgress(30);
    ReservePageRoom(l_.pages8, kPage8Bytes);
    if (l_.kind >= kind_tr2)
        ReservePageRoom(l_.pages16, kPage16Bytes);
    l_.pages8.resize(static_cast<std::size_t>(l_.page8_bytes));
    in_.ReadCounted(l_.pages8);
    if (l_.kind >= kind_tr2) {
        l_.pages16.resize(pages * kPage16Bytes);
        in_.ReadCounted(l_.pages16);
    }
    l_.SetProgress(50);
}

void LevelReader::ReadRooms() {
    in_.SetSection("room count");
    in_.Read(l_.level_head.data(), 4);
    const std::uint16_t count = in_.U16();
    in_.Require(count, kMinRoomBytes);
    l_.SetRoomCount(count);
    double progress = 0;
    for (auto& room : l_.rooms) {
        in_.SetSection("room " + std::to_string(&room - l_.rooms.data()));
        ReadRoom(room);
        progress += 30.0 / count;
        l_.SetProgress(50 + static_cast<int>(std::lround(progress)));
    }
}

// Reads a room list: a u16 count (already read) of elements of `size` bytes.
void ReadList(ImageCursor& in, Bytes& list, std::size_t count, std::size_t size) {
    in.Require(count, size);
    list.resize(count * size);
    in.ReadCounted(list);
}

void LevelReader::ReadRoomVertices(troom& room) {
    const std::size_t n = room.num_vertices;
    if (l_.kind <= kind_tub) {
        ReadList(in_, room.vertices8, n, kVertex8Size);
        room.vertices12.assign(n * kVertex12Size, 0);
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t* v8 = &room.vertices8[i * kVertex8Size];
            std::uint8_t* v12 = &room.vertices12[i * kVertex12Size];
            std::copy(v8, v8 + 8, v12); // x, y, z and bytes 6, 7
            v12[8] = 0x10;
            v12[9] = 0x00;
            v12[10] = 0xEF;
            v12[11] = 0x3D;
        }
    } else {
        ReadList(in_, room.vertices12, n, kVertex12Size);
        room.vertices8.assign(n * kVertex8Size, 0);
        for (std::size_t i = 0; i < n; ++i)
            std::copy_n(&room.vertices12[i * kVertex12Size], 8, &room.vertices8[i * kVertex8Size]);
    }
}

void LevelReader::ReadRoomLights(troom& room) {
    room.num_lights = in_.U16();
    if (l_.kind <= kind_tub)
        ReadList(in_, room.lights18, room.num_lights, kLight18Size);
    else if (l_.kind <= kind_tr3)
        ReadList(in_, room.lights24, room.num_lights, kLight24Size);
    else
        ReadList(in_, room.lights46, room.num_lights, kLight46Size);
    room.num_statics = in_.U16();
    if (l_.kind <= kind_tub)
        ReadList(in_, room.statics18, room.num_statics, kStatic18Size);
    else
        ReadList(in_, room.statics20, room.num_statics, kStatic20Size);
}

void LevelReader::ReadRoom(troom& room) {
    for (auto& v : room.info)
        v = in_.I32();
    room.num_data_words = in_.I32();
    room.num_vertices = in_.U16();
    ReadRoomVertices(room);
    room.num_rectangles = in_.U16();
    ReadList(in_, room.rectangles, room.num_rectangles, kRectangleSize);
    room.num_triangles = in_.U16();
    ReadList(in_, room.triangles, room.num_triangles, kTriangleSize);
    room.num_sprites = in_.U16();
    ReadList(in_, room.sprites, room.num_sprites, kRoomSpriteSize);
    room.num_portals = in_.U16();
    ReadList(in_, room.portals, room.num_portals, kPortalSize);
    room.num_z_sectors = in_.U16();
    room.num_x_sectors = in_.U16();
    ReadList(in_, room.sectors, std::size_t{room.num_z_sectors} * room.num_x_sectors, kSectorSize);
    in_.Read(room.ambient.data(), 2);
    if (l_.kind >= kind_tr2)
        room.ambient2 = in_.U16();
    if (l_.kind == kind_tr2 || l_.kind == kind_trg)
        room.light_mode = in_.U16();
    ReadRoomLights(room);
    room.alternate_room = static_cast<std::int16_t>(in_.U16());
    in_.Read(room.flags.data(), 2);
    if (l_.kind == kind_tr3 || l_.kind == kind_tr4)
        in_.Read(room.room_extra.data(), 3);
}

template <typename SetCount>
void LevelReader::Section(const char* name, Bytes& array, std::size_t element_size, SetCount set, bool u16) {
    in_.SetSection(name);
    const std::uint32_t count = u16 ? in_.U16() : in_.U32();
    in_.Require(count, element_size);
    (l_.*set)(static_cast<std::int32_t>(count));
    in_.ReadCounted(array);
}

void LevelReader::ReadObjectTextures() {
    in_.SetSection("object textures");
    const std::uint32_t count = in_.U32();
    const std::size_t record = l_.kind == kind_trc   ? kObjectTexture40Size
                               : l_.kind == kind_tr4 ? kObjectTexture38Size
                                                     : kObjectTexture20Size;
    in_.Require(count, record);
    l_.SetObjectTextureCount(static_cast<std::int32_t>(count));
    for (auto& t : l_.object_textures) {
        t.attribute = in_.U16();
        t.tile = in_.U16();
        if (l_.kind >= kind_tr4)
            t.new_flags = in_.U16();
        for (auto& v : t.vertices) {
            v.xcoord = in_.U8();
            v.xpixel = in_.U8();
            v.ycoord = in_.U8();
            v.ypixel = in_.U8();
        }
        if (l_.kind >= kind_tr4) {
            t.base_u = in_.U32();
            t.base_v = in_.U32();
            t.width = in_.U32();
            t.height = in_.U32();
        }
        if (l_.kind == kind_trc)
            t.trc_extra = in_.U16();
        t.three_vertices = FourthVertexIsZero(t);
    }
}

void LevelReader::ReadSectionsBeforeTextures() {
    const bool old_anims = l_.kind <= kind_tr3;
    Section("floor data", l_.floor_data, kFloorDataSize, &Ttrlevel::SetFloorDataCount);
    Section("mesh data", l_.mesh_data, kMeshDataSize, &Ttrlevel::SetMeshDataCount);
    Section("mesh pointers", l_.mesh_pointers, kMeshPointerSize, &Ttrlevel::SetMeshPointerCount);
    Section("animations", old_anims ? l_.animations32 : l_.animations40,
            old_anims ? kAnimation32Size : kAnimation40Size, &Ttrlevel::SetAnimationCount);
    Section("state changes", l_.state_changes, kStateChangeSize, &Ttrlevel::SetStateChangeCount);
    Section("animation dispatches", l_.anim_dispatches, kAnimDispatchSize, &Ttrlevel::SetAnimDispatchCount);
    Section("animation commands", l_.anim_commands, kAnimCommandSize, &Ttrlevel::SetAnimCommandCount);
    Section("mesh trees", l_.mesh_trees, kMeshTreeSize, &Ttrlevel::SetMeshTreeCount);
    Section("frames", l_.frames, kFrameSize, &Ttrlevel::SetFrameCount);
    if (l_.kind == kind_trc) {
        Section("moveables", l_.moveables20, kMoveable20Size, &Ttrlevel::SetMoveableCount);
        for (std::size_t i = 0; i < static_cast<std::size_t>(l_.num_moveables); ++i)
            std::copy_n(&l_.moveables20[i * kMoveable20Size], kMoveable18Size,
                        &l_.moveables18[i * kMoveable18Size]);
    } else {
        Section("moveables", l_.moveables18, kMoveable18Size, &Ttrlevel::SetMoveableCount);
        // The 20-byte form carries the same moveables with two zero bytes after each.
        for (std::size_t i = 0; i < static_cast<std::size_t>(l_.num_moveables); ++i)
            std::copy_n(&l_.moveables18[i * kMoveable18Size], kMoveable18Size,
                        &l_.moveables20[i * kMoveable20Size]);
    }
    Section("static meshes", l_.static_meshes, kStaticMeshSize, &Ttrlevel::SetStaticMeshCount);
    if (l_.kind <= kind_trg)
        ReadObjectTextures();
    in_.SetSection("sprite marker");
    if (l_.kind == kind_tr4)
        in_.Read(l_.spr_marker.data(), 3);
    if (l_.kind == kind_trc)
        in_.Read(l_.spr_marker.data(), 4);
    Section("sprite textures", l_.sprite_textures, kSpriteTextureSize, &Ttrlevel::SetSpriteTextureCount);
    Section("sprite sequences", l_.sprite_sequences, kSpriteSequenceSize, &Ttrlevel::SetSpriteSequenceCount);
    in_.SetSection("palette");
    if (l_.kind == kind_tub)
        in_.Read(l_.palette.data(), kPaletteBytes);
    Section("cameras", l_.cameras, kCameraSize, &Ttrlevel::SetCameraCount);
    if (l_.kind >= kind_tr4)
        Section("flyby cameras", l_.flyby_cameras, kFlybyCameraSize, &Ttrlevel::SetFlybyCameraCount);
    Section("sound sources", l_.sound_sources, kSoundSourceSize, &Ttrlevel::SetSoundSourceCount);
    const bool big_boxes = l_.kind <= kind_tub;
    Section("boxes", big_boxes ? l_.boxes20 : l_.boxes8, big_boxes ? kBox20Size : kBox8Size,
            &Ttrlevel::SetBoxCount);
    Section("overlaps", l_.overlaps, kOverlapSize, &Ttrlevel::SetOverlapCount);
    static constexpr int kOldZones[] = {0, 1, 4, 5, 6, 9};
    static constexpr int kAllZones[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::span<const int> zones =
        big_boxes ? std::span<const int>(kOldZones) : std::span<const int>(kAllZones);
    in_.SetSection("zones");
    in_.Require(static_cast<std::uint64_t>(l_.num_boxes) * zones.size(), kZoneEntrySize);
    l_.SetZoneCount(l_.num_boxes);
    for (int z : zones)
        in_.ReadCounted(l_.zones[static_cast<std::size_t>(z)]);
    in_.SetSection("animated texture words");
    const std::uint32_t words = in_.U32();
    in_.Require(words, kAnimWordSize);
    l_.SetAnimWordCount(static_cast<std::int32_t>(words));
    for (auto& w : l_.anim_words)
        w = in_.U16();
    l_.SetProgress(85);
}

void LevelReader::ReadItems() {
    const bool short_items = l_.kind <= kind_tub;
    Section("items", short_items ? l_.items22 : l_.items24, short_items ? kItem22Size : kItem24Size,
            &Ttrlevel::SetItemCount);
    for (std::size_t i = 0; i < static_cast<std::size_t>(l_.num_items); ++i) {
        std::uint8_t* a = &l_.items22[i * kItem22Size];
        std::uint8_t* b = &l_.items24[i * kItem24Size];
        if (short_items) {
            std::copy_n(a, 18, b); // bytes 0 to 17
            b[18] = a[18];
            b[19] = 0;
            b[20] = a[19];
            b[21] = 0;
            b[22] = a[20];
            b[23] = a[21];
        } else {
            std::copy_n(b, 19, a); // bytes 0 to 18
            a[19] = b[20];
            a[20] = b[22];
            a[21] = b[23];
        }
    }
}

void LevelReader::ReadSectionsAfterTextures() {
    in_.SetSection("texture marker");
    if (l_.kind == kind_tr4)
        in_.Read(l_.tex_marker.data(), 4);
    if (l_.kind == kind_trc)
        in_.Read(l_.tex_marker.data(), 5);
    if (l_.kind >= kind_tr3)
        ReadObjectTextures();
    l_.SetProgress(90);
    ReadItems();
    in_.SetSection("light map and palette");
    if (l_.kind <= kind_tr3)
        in_.Read(l_.light_map.data(), kLightMapBytes);
    if (l_.kind == kind_tr1)
        in_.Read(l_.palette.data(), kPaletteBytes);
    if (l_.kind <= kind_tr3)
        Section("cinematic frames", l_.cinematic_frames, kCinematicFrameSize, &Ttrlevel::SetCinematicCount,
                true);
    else
        Section("AI objects", l_.ai_objects, kAiObjectSize, &Ttrlevel::SetCinematicCount);
    Section("demo data", l_.demo_data, kDemoDataSize, &Ttrlevel::SetDemoDataCount, true);
    const std::size_t sound_map = l_.kind <= kind_tub ? 512 : l_.kind <= kind_tr4 ? 740 : 900;
    in_.SetSection("sound map");
    in_.Read(l_.sound_map.data(), sound_map);
    Section("sound details", l_.sound_details, kSoundDetailSize, &Ttrlevel::SetSoundDetailCount);
    if (l_.kind <= kind_tub) {
        in_.SetSection("sound samples");
        l_.samples_size = in_.U32();
        auto s = in_.Take(l_.samples_size);
        l_.samples.assign(s.begin(), s.end());
    }
    Section("sample indices", l_.sample_indices, kSampleIndexSize, &Ttrlevel::SetSampleIndexCount);
}

void LevelReader::ReadSections() {
    l_.SetProgress(80);
    ReadSectionsBeforeTextures();
    ReadSectionsAfterTextures();
}

void LevelReader::ReadTail(std::size_t trc_level_end) {
    if (l_.kind == kind_trc) {
        in_.SetSection("level data end");
        if (trc_level_end < in_.Position() || trc_level_end > in_.Size())
            throw in_.Invalid("the level data size does not match its content");
        auto tail = in_.Take(trc_level_end - in_.Position());
        l_.level_tail.assign(tail.begin(), tail.end());
        in_.SetSection("sound samples");
        CheckSampleRecords();
        auto samples = in_.Rest();
        l_.samples.assign(samples.begin(), samples.end());
        l_.samples_size = static_cast<std::uint32_t>(l_.samples.size());
    } else {
        auto tail = in_.Rest();
        l_.level_tail.assign(tail.begin(), tail.end());
    }
    l_.level_tail_kind = l_.kind;
}

} // namespace

void Ttrlevel::BeginLoad() {
    SetProgress(0);
    if (IsLoaded()) {
        Clear();
        SetProgress(10);
    }
}

Result Ttrlevel::ParseImage(std::vector<std::uint8_t> image, const std::string& file_name,
                                 bool textures_only, bool from_file) {
    Clear();
    Result result;
    try {
        ZFile container;
        container.Assign(file_name);
        container.OpenImage(std::move(image), 1);
        const std::string source = from_file && !container.compressed ? file_name : std::string();
        LevelReader(*this, container.TakeImage(), textures_only, source).Run(file_name);
    } catch (const CompressionError& e) {
        result = {Status::damaged_stream, file_name + ": " + e.what()};
    } catch (const LevelError& e) {
        result = e.AsResult();
    } catch (...) {
        Clear();
        SetProgress(0);
        throw;
    }
    if (!result)
        Clear();
    SetProgress(0);
    return result;
}

Result Ttrlevel::LoadLevelImage(std::vector<std::uint8_t> image, const std::string& file_name,
                                     bool textures_only) {
    BeginLoad();
    return ParseImage(std::move(image), file_name, textures_only, false);
}

Result Ttrlevel::LoadLevel(const std::string& file_name, bool textures_only) {
    BeginLoad();
    std::error_code ec;
    if (!std::filesystem::exists(file_name, ec)) {
        Clear();
        // Only a name that is truly absent is "no such file"; a folder that cannot be searched,
        // a loop of links or a name too long is an input/output error.
        if (ec)
            return {Status::file_error, "Cannot open file " + file_name + ": " + ec.message()};
        return {Status::no_such_file, "No such file: " + file_name};
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadWholeFile(file_name);
    } catch (const LevelError& e) {
        Clear();
        return e.AsResult();
    }
    Result result = ParseImage(std::move(bytes), file_name, textures_only, true);
    if (result == Status::not_a_level)
        ExplainRenamedLayout(file_name, textures_only, result);
    return result;
}

// A level of one layout renamed to the other one's extension fails far into the file, with a reason
// that says nothing of the name; when the other layout reads, the reason says so instead.
void Ttrlevel::ExplainRenamedLayout(const std::string& file_name, bool textures_only, Result& refused) {
    Ttrlevel other;
    try {
        if (!other.ParseImage(ReadWholeFile(file_name), OtherLayoutName(file_name), textures_only, false))
            return;
    } catch (const std::exception&) {
        return;
    }
    const std::string extension = LowerExtension(file_name);
    const std::string layout = "This is a " + UsualExtensions(other.kind).front() + " level";
    refused.reason =
        extension.empty() ? layout + ", but its name has no extension" : layout + " named " + extension;
}

} // namespace pw
