// Ttrlevel: the in-memory form of one level file. Texture data is parsed into fields; every other
// section is kept as a counted array of fixed-size elements in file form, so it is written back as read.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "level/block_content.h"
#include "level/compression.h"
#include "level/level_file.h"
#include "level/result.h"
#include "level/room.h"
#include "level/save_plan.h"

namespace pw {

class Gauge;

// The level kinds; every layout branch tests these numbers.
enum LevelKind : std::int32_t {
    kind_none = 0,
    kind_tr1 = 1,
    kind_tub = 2,
    kind_tr2 = 3,
    kind_trg = 4,
    kind_tr3 = 5,
    kind_tr4 = 6,
    kind_trc = 7,
};

// The size and checksums of a compressed block's packed bytes, and of the content they inflate to.
struct BlockChecksums {
    std::uint64_t packed_size = 0;
    std::uint32_t packed_crc32 = 0;
    std::uint64_t size = 0;
    std::uint32_t crc32 = 0;
    std::uint32_t adler32 = 0;
};

// A compressed block as it was read (the three texture blocks and the kind 6 level data), with the
// size and checksums of its inflated content: when the content is unchanged, a save writes the packed
// bytes again instead of compressing anew. Levels read from a plain file keep only where the bytes
// lie in it (checked again before they are copied); others keep the bytes in memory.
struct tread_block {
    PackedBlock packed;
    std::string file_name;
    std::uint64_t file_offset = 0;
    BlockChecksums checksums;
    bool kept = false;
    // Whether `content` is what was read.
    bool Matches(std::span<const std::uint8_t> content) const;
    // The same for a content of `content_size` bytes with these checksums.
    bool Matches(std::size_t content_size, const ContentSums& sums) const;
};

enum ReadBlockIndex : std::size_t {
    block_pages32 = 0,
    block_pages16 = 1,
    block_misc32 = 2,
    block_level_data = 3
};

struct tvertex_coords {
    std::uint8_t xcoord = 0;
    std::uint8_t xpixel = 0;
    std::uint8_t ycoord = 0;
    std::uint8_t ypixel = 0;
    bool operator==(const tvertex_coords&) const = default;
};

struct tobjtexture {
    std::uint16_t attribute = 0;
    std::uint16_t tile = 0;
    std::uint16_t new_flags = 0;
    std::array<tvertex_coords, 4> vertices{};
    std::uint32_t base_u = 0;
    std::uint32_t base_v = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t trc_extra = 0;
    // Not stored in the file: whether the texture has three vertices, decided from the bytes once, when
    // the record is read (or made by a definition) and carried by every copy of the record. Mirroring
    // may leave an all-zero fourth vertex on a quadrilateral, so the bytes alone cannot tell it later.
    bool three_vertices = false;
    bool operator==(const tobjtexture&) const = default;
};

// The kind a version word and file name select; kind_none for an unknown version word.
std::int32_t KindForVersion(std::uint32_t version, const std::string& file_name);
bool IsKnownVersion(std::uint32_t version);
// What a save of a record that holds no level reports.
Result NothingLoaded(const std::string& file_name);
// Whether reading only the textures of a `kind` level stops after its pages, leaving the rooms, the
// object textures, the animated textures and the samples unread (kinds 3 to 7; kinds 1 and 2 keep
// their palette at the end, so they are read whole).
bool TexturesOnlyStopsAfterPages(std::int32_t kind);

class Ttrlevel {
public:
    Ttrlevel() = default;

    // Reads a level file: done, no_such_file, not_a_level (the reason says the section and offset
    // where reading stopped), file_error or damaged_stream. Unless done, the record holds no level.
    Result LoadLevel(const std::string& file_name, bool textures_only = false);
    // The same on a file image already in memory; file_name only selects the kind.
    Result LoadLevelImage(std::vector<std::uint8_t> image, const std::string& file_name,
                               bool textures_only = false);
    // Writes the record as `plan` says: done, nothing_loaded, cannot_save_as, file_error or
    // damaged_stream. The target is replaced only when the whole file was written. The level's content
    // is not changed: only read_blocks, which blocks a later save may copy, follows the file written.
    Result SaveLevel(const std::string& file_name, const SavePlan& plan = {});
    // Builds into `image` the file that SaveLevel would write, without touching any file.
    Result SaveLevelImage(const std::string& file_name, std::vector<std::uint8_t>& image,
                               const SavePlan& plan = {});

    // Appends an empty page in every depth the kind carries; false (nothing changed) when the level
    // already holds the most pages a level may hold.
    bool AddPage();
    // Takes the last page off again in every depth, undoing AddPage exactly; false without pages.
    bool RemoveLastPage();
    bool IsLoaded() const { return marker == "Kestrel"; }
    // Releases everything and returns to the state of a new record (the gauge stays).
    void Clear();

    void SetRoomCount(std::uint16_t n);
    void SetFloorDataCount(std::int32_t n);
    void SetMeshDataCount(std::int32_t n);
    void SetMeshPointerCount(std::int32_t n);
    void SetAnimationCount(std::int32_t n);
    void SetStateChangeCount(std::int32_t n);
    void SetAnimDispatchCount(std::int32_t n);
    void SetAnimCommandCount(std::int32_t n);
    void SetMeshTreeCount(std::int32_t n);
    void SetFrameCount(std::int32_t n);
    void SetMoveableCount(std::int32_t n);
    void SetStaticMeshCount(std::int32_t n);
    void SetObjectTextureCount(std::int32_t n);
    void SetSpriteTextureCount(std::int32_t n);
    void SetSpriteSequenceCount(std::int32_t n);
    void SetCameraCount(std::int32_t n);
    void SetFlybyCameraCount(std::int32_t n);
    void SetSoundSourceCount(std::int32_t n);
    void SetBoxCount(std::int32_t n);
    void SetOverlapCount(std::int32_t n);
    void SetZoneCount(std::int32_t n);
    void SetAnimWordCount(std::int32_t n);
    void SetItemCount(std::int32_t n);
    void SetCinematicCount(std::int32_t n);
    void SetDemoDataCount(std::int32_t n);
    void SetSoundDetailCount(std::int32_t n);
    void SetSampleIndexCount(std::int32_t n);

    void SetProgress(int percent) const;

private:
    void BeginLoad();
    // `from_file`: the image is the content of the file `file_name`, whose blocks a save may copy.
    Result ParseImage(std::vector<std::uint8_t> image, const std::string& file_name, bool textures_only,
                           bool from_file);
    // After `file_name` was refused: the reason names the other layout of its version when that reads.
    void ExplainRenamedLayout(const std::string& file_name, bool textures_only, Result& refused);
    // The pieces that SaveLevel writes one after the other. Raises LevelError.
    LevelFile BuildLevelFile(const std::string& file_name, const SavePlan& plan);

public:
    // 1. Rooms.
    std::uint16_t num_rooms = 0;
    // 2. Section counts (element counts).
    std::int32_t num_floor_data = 0;
    std::int32_t num_mesh_data = 0;
    std::int32_t num_mesh_pointers = 0;
    std::int32_t num_animations = 0;
    std::int32_t num_state_changes = 0;
    std::int32_t num_anim_dispatches = 0;
    std::int32_t num_anim_commands = 0;
    std::int32_t num_mesh_trees = 0;
    std::int32_t num_frames = 0;
    std::int32_t num_moveables = 0;
    std::int32_t num_static_meshes = 0;
    std::int32_t num_object_textures = 0;
    std::int32_t num_sprite_textures = 0;
    std::int32_t num_sprite_sequences = 0;
    std::int32_t num_cameras = 0;
    std::int32_t num_flyby_cameras = 0;
    std::int32_t num_sound_sources = 0;
    std::int32_t num_boxes = 0;
    std::int32_t num_overlaps = 0;
    std::int32_t num_zones = 0;
    std::int32_t num_anim_words = 0;
    std::int32_t num_items = 0;
    std::int32_t num_cinematic_frames = 0;
    std::int32_t num_demo_data = 0;
    std::int32_t num_sound_details = 0;
    std::int32_t num_sample_indices = 0;
    // 3. Set to "Kestrel" once a file has been recognised; in memory only.
    std::string marker;
    // 4.
    std::uint32_t version = 0;
    std::int32_t kind = kind_none;
    // 5.-8. Head of kinds 6 and 7.
    std::uint16_t num_room_tiles = 0;
    std::uint16_t num_object_tiles = 0;
    std::uint16_t num_bump_tiles = 0;
    std::int64_t size32 = 0;
    std::uint32_t packed32 = 0;
    std::int64_t size16 = 0;
    std::uint32_t packed16 = 0;
    std::int64_t misc32_size = 0;
    std::uint32_t misc32_packed = 0;
    // 9.-14. Pages.
    std::int64_t page8_bytes = 0;
    std::int32_t num_pages = 0;
    Bytes pages8;
    Bytes pages16;
    Bytes pages32;
    Bytes misc_pages32;
    // 15.-17.
    std::array<std::uint8_t, 46> level_head{};
    std::uint16_t geometry_flags = 0;
    std::vector<troom> rooms;
    // 18. Sections before the object textures (file form).
    Bytes floor_data;
    Bytes mesh_data;
    Bytes mesh_pointers;
    Bytes animations32;
    Bytes animations40;
    Bytes state_changes;
    Bytes anim_dispatches;
    Bytes anim_commands;
    Bytes mesh_trees;
    Bytes frames;
    Bytes moveables18;
    Bytes moveables20;
    Bytes static_meshes;
    // 19.-21.
    std::array<std::uint8_t, 5> tex_marker{};
    std::vector<tobjtexture> object_textures;
    std::array<std::uint8_t, 4> spr_marker{};
    // 22.
    Bytes sprite_textures;
    Bytes sprite_sequences;
    Bytes cameras;
    Bytes flyby_cameras;
    Bytes sound_sources;
    Bytes boxes20;
    Bytes boxes8;
    Bytes overlaps;
    std::array<Bytes, 10> zones;
    std::vector<std::uint16_t> anim_words;
    Bytes items22;
    Bytes items24;
    // 23.-30.
    std::array<std::uint8_t, 8192> light_map{};
    std::array<std::uint8_t, 768> palette{};
    std::array<std::uint8_t, 1024> palette16{};
    Bytes cinematic_frames;
    Bytes ai_objects;
    Bytes demo_data;
    std::array<std::uint8_t, 900> sound_map{};
    Bytes sound_details;
    std::uint32_t samples_size = 0;
    Bytes samples;
    Bytes sample_indices;

    // Bytes that real files carry after the last section of their level data (kinds 1 to 6), or
    // between the sample indices and the end of the level data (kind 7). Written back unchanged.
    Bytes level_tail;
    // The kind whose layout level_tail was read from (0 when none was read).
    std::int32_t level_tail_kind = kind_none;
    // The kind of the file the record was read from (kind_none for a new record).
    std::int32_t read_kind = kind_none;
    // The compressed blocks of a kind 6 or 7 file as read, by ReadBlockIndex.
    std::array<tread_block, 4> read_blocks;
    // The same blocks of the file as it was opened, kept through saves (in memory once a save replaces
    // the file they lie in), so that a level taken back to what was opened is saved as it was read.
    std::array<tread_block, 4> opened_blocks;

    // 31. Not owned.
    Gauge* gauge = nullptr;
    // Set before loading by a program that adds pages: the page blocks are read into room for the most
    // pages a level may hold (address space only, untouched until used), so that adding a page never
    // moves them. Kept through Clear, like the gauge.
    bool page_room = false;
};

} // namespace pw
