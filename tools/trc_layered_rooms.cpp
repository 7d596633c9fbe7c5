#include "tools/trc_layered_rooms.h"

#include <array>
#include <bit>

#include "level/layout.h"
#include "tools/le_bytes.h"

namespace pw::art {
namespace {

std::int16_t S16At(const Bytes& b, std::size_t at) {
    return static_cast<std::int16_t>(b[at] | b[at + 1] << 8);
}

void AddLayerVertices(troom& room) {
    tlayer_vertices block;
    block.count = room.num_vertices;
    for (std::size_t v = 0; v < room.num_vertices; ++v) {
        const std::size_t at = v * layout::kVertex12Size;
        LeBytes out(block.vertices);
        out.F32(S16At(room.vertices12, at))
            .F32(S16At(room.vertices12, at + 2))
            .F32(S16At(room.vertices12, at + 4));
        out.F32(0.0f).F32(-1.0f).F32(0.0f);      // normal, pointing up
        out.U8(0xA8).U8(0xB0).U8(0xB8).U8(0xFF); // blue, green, red, and a carried byte
    }
    room.layers.vertex_blocks = {block};
}

void AddLayerFaces(troom& room) {
    tlayer_rectangles rectangles;
    rectangles.count = room.num_rectangles;
    for (std::size_t r = 0; r < room.num_rectangles; ++r) {
        const auto first = room.rectangles.begin() + static_cast<std::ptrdiff_t>(r * layout::kRectangleSize);
        rectangles.faces.insert(rectangles.faces.end(), first, first + layout::kRectangleSize);
        LeBytes(rectangles.faces).U16(0); // flags word
    }
    room.layers.rectangle_blocks = {rectangles};
    tlayer_triangles triangles;
    triangles.count = room.num_triangles;
    for (std::size_t t = 0; t < room.num_triangles; ++t) {
        const auto first = room.triangles.begin() + static_cast<std::ptrdiff_t>(t * layout::kTriangleSize);
        triangles.faces.insert(triangles.faces.end(), first, first + layout::kTriangleSize);
        LeBytes(triangles.faces).U16(0); // flags word
    }
    room.layers.triangle_blocks = {triangles};
}

// One bulb of fog in the middle of the room: position, radius and colour.
void AddFogBulb(troom& room) {
    room.fog_bulbs.clear();
    LeBytes out(room.fog_bulbs);
    out.F32(static_cast<float>(room.info[0] + 2560))
        .F32(-1024.0f)
        .F32(static_cast<float>(room.info[1] + 2560));
    out.F32(2048.0f).F32(0.5f).F32(0.55f).F32(0.6f).F32(1.0f).U32(0);
    room.num_fog_bulbs = 1;
}

std::array<std::uint8_t, layout::kLayerHeadSize> LayerHead(const troom& room) {
    Bytes head;
    LeBytes(head).U32(room.num_vertices).U16(0).U16(room.num_rectangles).U16(room.num_triangles);
    head.resize(layout::kLayerHeadSize, 0);
    std::array<std::uint8_t, layout::kLayerHeadSize> out{};
    std::copy(head.begin(), head.end(), out.begin());
    return out;
}

// The first 85 bytes of a light carry its data; the last three are the filler the writer puts there.
void AddLights(troom& room) {
    room.lights88.clear();
    const float x = static_cast<float>(room.info[0] + 2560);
    const float z = static_cast<float>(room.info[1] + 2560);
    LeBytes out(room.lights88);
    out.F32(x).F32(-1536.0f).F32(z).F32(1.0f).F32(0.9f).F32(0.75f); // position, colour
    out.F32(1024.0f).F32(3072.0f);                                  // falloff start and end
    while (room.lights88.size() < 85)
        out.U8(0);
    out.U8(layout::kCdFiller).U8(layout::kCdFiller).U8(layout::kCdFiller);
    room.num_lights = 1;
}

std::int32_t FloatWord(float v) {
    return static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(v));
}

// The header words as real files hold them: separators of CD bytes, the 0x7FFF fillers, the room's
// position as floats, and counts of faces and lights that agree with the room's data, which other
// readers trust to size their buffers.
void SetHeaderWords(troom& room) {
    constexpr auto kSeparator = static_cast<std::int32_t>(0xCDCDCDCDu);
    room.trc_head.fill(0);
    room.trc_word(4) = kSeparator;
    room.trc_word(7) = static_cast<std::int32_t>(0xFF505050u); // room colour, grey ambient light
    room.trc_word(9) = 0x7FFF;
    room.trc_word(10) = 0x7FFF;
    room.trc_word(12) = FloatWord(static_cast<float>(room.info[0]));
    room.trc_word(13) = FloatWord(0.0f);
    room.trc_word(14) = FloatWord(static_cast<float>(room.info[1]));
    room.trc_word(15) = kSeparator;
    room.trc_word(16) = room.num_triangles;
    room.trc_word(17) = room.num_rectangles;
    room.trc_word(18) = kSeparator;
    room.trc_word(20) = room.num_lights;
    room.trc_word(21) = room.info[3]; // top
    room.trc_word(22) = room.info[2]; // bottom
}

} // namespace

void MakeLayeredRooms(Ttrlevel& level) {
    for (auto& room : level.rooms) {
        AddLayerVertices(room);
        AddLayerFaces(room);
        room.num_layers = 1;
        room.layers.count = 1;
        room.layer_heads = {LayerHead(room)};
        AddLights(room);
        AddFogBulb(room);
        room.trc_room_word = 0;
        room.trc_filler = 0;
        room.trc_fillers = {}; // the flip-room link in field 13 stays -1: no flip room
        SetHeaderWords(room);
    }
    level.geometry_flags = layout::kTrcGeometryFlags;
}

} // namespace pw::art
