#include "level/trc_rooms.h"

#include <cmath>
#include <cstring>
#include <unordered_map>

#include "level/layout.h"
#include "level/level_errors.h"

namespace pw {
namespace {

using namespace layout;

// Header bytes of a room from the size field to the start of its data area.
constexpr std::size_t kRoomHeaderBytes = 4 + 4 + 16 + 4 + 4 + 12 + 4 + 4 + 4 + 12 + 8 + 6 + 2 + 2 + 10 + 4 +
                                         16 + 16 + 4 + 4 + 12 + 4 + 4 + 4 + 8 + 4 + 20 + 16;
constexpr std::size_t kMinRoomBytes = 4 + kRoomHeaderBytes;

void ReadWords(ImageCursor& in, troom& room, int first, int last) {
    for (int w = first; w <= last; ++w)
        room.trc_word(w) = in.I32();
}

void ReadList(ImageCursor& in, Bytes& list, std::uint64_t count, std::size_t size) {
    in.Require(count, size);
    list.resize(static_cast<std::size_t>(count) * size);
    in.ReadCounted(list);
}

template <std::size_t N> void ReadFiller(ImageCursor& in, std::array<std::uint8_t, N>& field) {
    in.Read(field.data(), N);
}

template <std::size_t N> void WriteFiller(ImageBuilder& out, const std::array<std::uint8_t, N>& field) {
    out.Raw(field.data(), N);
}

void ReadRoomHeader(troom& room, ImageCursor& in) {
    auto& f = room.trc_fillers;
    in.Seek(in.Position() + 4);  // 1: "XELA"
    room.trc_word(1) = in.I32(); // 2: room data size
    ReadFiller(in, f.field3);    // 3
    ReadWords(in, room, 2, 5);   // 4
    room.info[0] = in.I32();     // 5
    room.trc_word(6) = in.I32(); // 6
    for (int i = 1; i < 4; ++i)  // 7
        room.info[static_cast<std::size_t>(i)] = in.I32();
    room.num_z_sectors = in.U16(); // 8
    room.num_x_sectors = in.U16();
    room.trc_word(7) = in.I32(); // 9
    room.num_lights = in.U16();  // 10
    room.num_statics = in.U16();
    ReadWords(in, room, 8, 10);    // 11
    ReadFiller(in, f.field12);     // 12
    ReadFiller(in, f.field13);     // 13
    in.Read(room.flags.data(), 2); // 14
    room.trc_room_word = in.U16(); // 15
    ReadFiller(in, f.field16);     // 16
    ReadFiller(in, f.field17);     // 17
    ReadWords(in, room, 11, 14);   // 18
    ReadFiller(in, f.field19);     // 19
    room.trc_word(15) = in.I32();  // 20
    ReadFiller(in, f.field21);     // 21
    ReadWords(in, room, 16, 18);   // 22
    room.trc_word(19) = in.I32();  // 23
    room.trc_word(20) = in.I32();  // 24
    room.num_fog_bulbs = in.I32(); // 25
    ReadWords(in, room, 21, 22);   // 26
    room.num_layers = in.I32();    // 27
    ReadWords(in, room, 23, 27);   // 28
    ReadFiller(in, f.field29);     // 29
}

void ReadLayers(troom& room, ImageCursor& in) {
    const auto layers = static_cast<std::size_t>(room.num_layers);
    in.Require(layers, kLayerHeadSize);
    room.layer_heads.resize(layers);
    room.layers.count = room.num_layers;
    room.layers.vertex_blocks.resize(layers);
    room.layers.rectangle_blocks.resize(layers);
    room.layers.triangle_blocks.resize(layers);
    std::uint32_t triangles = 0;
    for (std::size_t i = 0; i < layers; ++i) {
        auto& head = room.layer_heads[i];
        in.Read(head.data(), kLayerHeadSize);
        room.layers.vertex_blocks[i].count = static_cast<std::uint16_t>(head[0] | head[1] << 8);
        room.layers.rectangle_blocks[i].count = static_cast<std::uint16_t>(head[6] | head[7] << 8);
        room.layers.triangle_blocks[i].count = static_cast<std::uint16_t>(head[8] | head[9] << 8);
        triangles += room.layers.triangle_blocks[i].count;
    }
    for (std::size_t i = 0; i < layers; ++i) {
        auto& rects = room.layers.rectangle_blocks[i];
        ReadList(in, rects.faces, rects.count, kLayerRectangleSize);
        auto& tris = room.layers.triangle_blocks[i];
        ReadList(in, tris.faces, tris.count, kLayerTriangleSize);
    }
    if (triangles % 2 == 1)
        ReadFiller(in, room.trc_fillers.after_faces);
    for (auto& block : room.layers.vertex_blocks)
        ReadList(in, block.vertices, block.count, kLayerVertexSize);
}

std::uint16_t U16At(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

void PutU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

// A float coordinate truncated toward zero into 16 bits (wrapping like a plain integer store).
std::int16_t Truncate16(const std::uint8_t* p) {
    float f;
    std::memcpy(&f, p, 4);
    if (!std::isfinite(f) || std::fabs(f) >= 2147483648.0f)
        return 0;
    return static_cast<std::int16_t>(
        static_cast<std::uint16_t>(static_cast<std::int32_t>(std::trunc(f)) & 0xFFFF));
}

struct Position3 {
    std::int16_t x, y, z;
    bool operator==(const Position3&) const = default;
};
struct Position3Hash {
    std::size_t operator()(const Position3& p) const {
        return (static_cast<std::size_t>(static_cast<std::uint16_t>(p.x)) << 32) ^
               (static_cast<std::size_t>(static_cast<std::uint16_t>(p.y)) << 16) ^
               static_cast<std::uint16_t>(p.z);
    }
};

Position3 PositionOf(const std::uint8_t* vertex28) {
    return {Truncate16(vertex28), Truncate16(vertex28 + 4), Truncate16(vertex28 + 8)};
}

using FlatIndex = std::unordered_map<Position3, std::uint16_t, Position3Hash>;

void AddFlatVertex(troom& room, FlatIndex& index, const std::uint8_t* v28) {
    const Position3 p = PositionOf(v28);
    auto it = index.find(p);
    if (it == index.end()) {
        if (room.num_vertices >= kMaxFlatVertices)
            return;
        it = index.emplace(p, room.num_vertices).first;
        room.num_vertices++;
        room.vertices8.resize(room.num_vertices * kVertex8Size, 0);
        room.vertices12.resize(room.num_vertices * kVertex12Size, 0);
        room.layer_vertices.resize(room.num_vertices * kLayerVertexSize, 0);
        for (Bytes* form : {&room.vertices8, &room.vertices12}) {
            const std::size_t size = form == &room.vertices8 ? kVertex8Size : kVertex12Size;
            std::uint8_t* v = form->data() + it->second * size;
            PutU16(v, static_cast<std::uint16_t>(p.x));
            PutU16(v + 2, static_cast<std::uint16_t>(p.y));
            PutU16(v + 4, static_cast<std::uint16_t>(p.z));
            v[7] = 0;
        }
    }
    const std::size_t i = it->second;
    std::memcpy(&room.layer_vertices[i * kLayerVertexSize], v28, kLayerVertexSize);
    const unsigned colour = (v28[26] >> 3) * 1024u + (v28[25] >> 3) * 32u + (v28[24] >> 3);
    PutU16(&room.vertices12[i * kVertex12Size + 10], static_cast<std::uint16_t>(colour));
}

// The flat index of vertex `n` of a layer, or 0xFFFF when it has none.
std::uint16_t FlatIndexOf(const FlatIndex& index, const tlayer_vertices& block, std::uint16_t n) {
    if (n >= block.count)
        return kMissingVertex;
    const auto it = index.find(PositionOf(&block.vertices[std::size_t{n} * kLayerVertexSize]));
    return it == index.end() ? kMissingVertex : it->second;
}

// Appends the faces of one layer: `corners` indices, a texture word and a flags word per face.
void AddFlatFaces(const FlatIndex& index, const tlayer_vertices& vertices, const Bytes& faces,
                  std::size_t corners, Bytes& short_form, Bytes& long_form) {
    const std::size_t size = corners * 2 + 4;
    for (std::size_t f = 0; f + size <= faces.size(); f += size) {
        std::uint8_t face[12] = {};
        for (std::size_t c = 0; c < corners; ++c)
            PutU16(face + 2 * c, FlatIndexOf(index, vertices, U16At(&faces[f + 2 * c])));
        std::memcpy(face + 2 * corners, &faces[f + 2 * corners], 4); // texture and flags
        short_form.insert(short_form.end(), face, face + size - 2);
        long_form.insert(long_form.end(), face, face + size);
    }
}

} // namespace

void FlattenTrcRoom(troom& room) {
    room.num_vertices = 0;
    room.vertices8.clear();
    room.vertices12.clear();
    room.layer_vertices.clear();
    FlatIndex index;
    for (const auto& block : room.layers.vertex_blocks)
        for (std::size_t v = 0; v < block.count; ++v)
            AddFlatVertex(room, index, &block.vertices[v * kLayerVertexSize]);
    room.rectangles.clear();
    room.rectangles12.clear();
    room.triangles.clear();
    room.triangles10.clear();
    for (std::size_t l = 0; l < room.layers.vertex_blocks.size(); ++l) {
        const auto& vertices = room.layers.vertex_blocks[l];
        AddFlatFaces(index, vertices, room.layers.rectangle_blocks[l].faces, 4, room.rectangles,
                     room.rectangles12);
        AddFlatFaces(index, vertices, room.layers.triangle_blocks[l].faces, 3, room.triangles,
                     room.triangles10);
    }
    room.num_rectangles = static_cast<std::uint16_t>(room.rectangles.size() / kRectangleSize);
    room.num_triangles = static_cast<std::uint16_t>(room.triangles.size() / kTriangleSize);
}

void ReadTrcRoom(troom& room, ImageCursor& in) {
    in.Require(1, kMinRoomBytes);
    const std::size_t after_size_field = in.Position() + 8;
    ReadRoomHeader(room, in);
    const auto room_size = static_cast<std::uint32_t>(room.trc_word(1));
    if (room_size > in.Size() - after_size_field)
        throw in.Invalid("the room's size points past the end of the file");
    const std::size_t room_end = after_size_field + room_size;
    if (room.num_fog_bulbs < 0 || room.num_layers < 0)
        throw in.Invalid("the room has a negative count");
    ReadList(in, room.lights88, room.num_lights, kLight88Size);
    ReadList(in, room.fog_bulbs, static_cast<std::uint32_t>(room.num_fog_bulbs), kFogBulbSize);
    ReadList(in, room.sectors, std::uint64_t{room.num_z_sectors} * room.num_x_sectors, kSectorSize);
    room.num_portals = in.U16();
    ReadList(in, room.portals, room.num_portals, kPortalSize);
    ReadFiller(in, room.trc_fillers.after_portals);
    ReadList(in, room.statics20, room.num_statics, kStatic20Size);
    room.num_vertices = room.num_rectangles = room.num_triangles = room.num_sprites = 0;
    ReadLayers(room, in);
    if (room.num_layers > 0)
        FlattenTrcRoom(room);
    if (in.Position() > room_end)
        throw in.Invalid("the room's content runs past its size");
    room.trc_filler = static_cast<std::int32_t>(room_end - in.Position());
    const auto after_vertices = in.Take(room_end - in.Position());
    room.trc_fillers.after_vertices.assign(after_vertices.begin(), after_vertices.end());
}

std::size_t ReadTrcHeadAndRooms(Ttrlevel& level, ImageCursor& in) {
    in.SetSection("level data head");
    in.Read(level.level_head.data() + 6, 32);
    const std::size_t size_field = in.Position();
    in.Read(level.level_head.data() + 38, 8);
    const std::size_t level_end =
        size_field + 8 +
        (std::uint32_t{level.level_head[38]} | std::uint32_t{level.level_head[39]} << 8 |
         std::uint32_t{level.level_head[40]} << 16 | std::uint32_t{level.level_head[41]} << 24);
    in.U32();
    const std::uint32_t count = in.U32();
    in.Require(count & 0xFFFF, kMinRoomBytes);
    level.SetRoomCount(static_cast<std::uint16_t>(count));
    double progress = 0;
    for (auto& room : level.rooms) {
        in.SetSection("room " + std::to_string(&room - level.rooms.data()));
        ReadTrcRoom(room, in);
        level.geometry_flags = kTrcGeometryFlags;
        progress += 30.0 / level.num_rooms;
        level.SetProgress(50 + static_cast<int>(std::lround(progress)));
    }
    return level_end;
}

namespace {

void WriteWords(ImageBuilder& out, const troom& room, int first, int last) {
    for (int w = first; w <= last; ++w)
        out.I32(room.trc_word(w));
}

struct RoomMarks {
    std::size_t size_field = 0;
    std::size_t words2to5 = 0;
    std::size_t words23to27 = 0;
    std::size_t data_start = 0;
    bool header = false; // the header was written, so the marks above are valid
};

RoomMarks WriteRoomHeader(const troom& room, ImageBuilder& out) {
    RoomMarks m;
    m.header = true;
    m.size_field = out.Position();
    const auto& f = room.trc_fillers;
    out.I32(room.trc_word(1));  // 2, filled in at the end of the room
    WriteFiller(out, f.field3); // 3
    m.words2to5 = out.Position();
    WriteWords(out, room, 2, 5); // 4
    out.I32(room.info[0]);       // 5
    out.I32(room.trc_word(6));   // 6
    for (int i = 1; i < 4; ++i)  // 7
        out.I32(room.info[static_cast<std::size_t>(i)]);
    out.U16(room.num_z_sectors); // 8
    out.U16(room.num_x_sectors);
    out.I32(room.trc_word(7)); // 9
    out.U16(room.num_lights);  // 10
    out.U16(room.num_statics);
    WriteWords(out, room, 8, 10);                                       // 11
    WriteFiller(out, f.field12);                                        // 12
    WriteFiller(out, f.field13);                                        // 13
    out.Raw(room.flags.data(), 2);                                      // 14
    out.U16(room.trc_room_word);                                        // 15
    WriteFiller(out, f.field16);                                        // 16
    WriteFiller(out, f.field17);                                        // 17
    WriteWords(out, room, 11, 14);                                      // 18
    WriteFiller(out, f.field19);                                        // 19
    out.I32(room.trc_word(15));                                         // 20
    WriteFiller(out, f.field21);                                        // 21
    WriteWords(out, room, 16, 18);                                      // 22
    out.I32(room.num_lights * static_cast<std::int32_t>(kLight88Size)); // 23
    out.I32(room.trc_word(20));                                         // 24
    out.I32(room.num_fog_bulbs);                                        // 25
    WriteWords(out, room, 21, 22);                                      // 26
    out.I32(room.num_layers);                                           // 27
    m.words23to27 = out.Position();
    WriteWords(out, room, 23, 27); // 28
    WriteFiller(out, f.field29);   // 29
    m.data_start = out.Position();
    return m;
}

// Writes the current offset into the data area over header word `w`.
void MarkOffset(ImageBuilder& out, const RoomMarks& m, int w) {
    if (!m.header)
        return;
    const std::size_t at = w <= 5 ? m.words2to5 + 4 * static_cast<std::size_t>(w - 2)
                                  : m.words23to27 + 4 * static_cast<std::size_t>(w - 23);
    out.PatchU32(at, static_cast<std::uint32_t>(out.Position() - m.data_start));
}

void WriteLights(const troom& room, ImageBuilder& out) {
    for (std::size_t i = 0; i < room.num_lights; ++i) {
        const std::size_t at = i * kLight88Size;
        const std::size_t have = room.lights88.size() > at ? room.lights88.size() - at : 0;
        out.Exactly(std::span(room.lights88)
                        .subspan(std::min(at, room.lights88.size()), std::min(have, std::size_t{85})),
                    85);
        out.Fill(kCdFiller, 3);
    }
}

std::uint32_t TotalTriangles(const troom& room) {
    std::uint32_t n = 0;
    for (const auto& block : room.layers.triangle_blocks)
        n += block.count;
    return n;
}

// The filler after a room's last block: the bytes read when they are still trc_filler long.
void WriteTrailingFiller(const troom& room, ImageBuilder& out) {
    const auto n = static_cast<std::size_t>(std::max(room.trc_filler, 0));
    if (room.trc_fillers.after_vertices.size() == n)
        out.Raw(room.trc_fillers.after_vertices);
    else
        out.Fill(kCdFiller, n);
}

void WriteLayers(const troom& room, std::uint16_t geometry_flags, ImageBuilder& out, const RoomMarks& m) {
    for (const auto& head : room.layer_heads)
        out.Raw(head.data(), head.size());
    std::size_t vertex_start = out.Position();
    if (geometry_flags & kGeometryHasLayers) {
        MarkOffset(out, m, 25);
        MarkOffset(out, m, 26);
        for (std::size_t l = 0; l < room.layers.rectangle_blocks.size(); ++l) {
            const auto& rects = room.layers.rectangle_blocks[l];
            out.Exactly(rects.faces, std::size_t{rects.count} * kLayerRectangleSize);
            const auto& tris = room.layers.triangle_blocks[l];
            out.Exactly(tris.faces, std::size_t{tris.count} * kLayerTriangleSize);
        }
        if (TotalTriangles(room) % 2 == 1)
            WriteFiller(out, room.trc_fillers.after_faces);
        MarkOffset(out, m, 24);
        vertex_start = out.Position();
        for (const auto& block : room.layers.vertex_blocks)
            out.Exactly(block.vertices, std::size_t{block.count} * kLayerVertexSize);
    }
    WriteTrailingFiller(room, out);
    if (m.header)
        out.PatchU32(m.words23to27 + 16, static_cast<std::uint32_t>(out.Position() - vertex_start));
}

} // namespace

void WriteTrcRoom(const troom& room, std::uint16_t geometry_flags, ImageBuilder& out) {
    out.Raw("XELA", 4);
    RoomMarks m;
    if (geometry_flags & kGeometryHasHeader) {
        m = WriteRoomHeader(room, out);
        WriteLights(room, out);
        out.Exactly(room.fog_bulbs, static_cast<std::size_t>(std::max(room.num_fog_bulbs, 0)) * kFogBulbSize);
        MarkOffset(out, m, 3);
        out.Exactly(room.sectors, std::size_t{room.num_z_sectors} * room.num_x_sectors * kSectorSize);
        MarkOffset(out, m, 2);
    } else {
        m.data_start = out.Position();
    }
    out.U16(room.num_portals);
    out.Exactly(room.portals, std::size_t{room.num_portals} * kPortalSize);
    MarkOffset(out, m, 5);
    WriteFiller(out, room.trc_fillers.after_portals);
    MarkOffset(out, m, 5);
    out.Exactly(room.statics20, std::size_t{room.num_statics} * kStatic20Size);
    MarkOffset(out, m, 23);
    if (room.num_layers > 0)
        WriteLayers(room, geometry_flags, out, m);
    else
        WriteTrailingFiller(room, out);
    if (geometry_flags & kGeometryHasHeader)
        out.PatchU32(m.size_field, static_cast<std::uint32_t>(out.Position() - (m.size_field + 4)));
}

std::size_t WriteTrcHeadAndRooms(const Ttrlevel& level, ImageBuilder& out) {
    out.Raw(level.level_head.data() + 6, 32);
    const std::size_t size_field = out.Position();
    out.Raw(level.level_head.data() + 38, 8);
    out.U32(0);
    out.U32(level.num_rooms);
    for (const auto& room : level.rooms)
        WriteTrcRoom(room, level.geometry_flags, out);
    return size_field;
}

void FinishTrcLevelData(const Ttrlevel& level, ImageBuilder& out, std::size_t size_field_position) {
    if (level.level_tail_kind == kind_trc && !level.level_tail.empty())
        out.Raw(level.level_tail);
    else
        out.Fill(kCdFiller, 4);
    const auto size = static_cast<std::uint32_t>(out.Position() - (size_field_position + 8));
    out.PatchU32(size_field_position, size);
    out.PatchU32(size_field_position + 4, size);
}

} // namespace pw
