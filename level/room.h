// One room of a level: its lists are growable byte arrays of fixed-size elements in file form.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace pw {

using Bytes = std::vector<std::uint8_t>;

// Per-layer geometry of a kind 7 room. Each block keeps the file form of its elements.
struct tlayer_vertices {
    std::uint16_t count = 0;
    Bytes vertices; // count x 28 bytes: x, y, z as floats, colour in bytes 24..26
};
struct tlayer_rectangles {
    std::uint16_t count = 0;
    Bytes faces; // count x 12 bytes: four indices, texture word, flags word
};
struct tlayer_triangles {
    std::uint16_t count = 0;
    Bytes faces; // count x 10 bytes: three indices, texture word, flags word
};

struct ttr5_layers {
    std::int32_t count = 0;
    std::vector<tlayer_vertices> vertex_blocks;
    std::vector<tlayer_rectangles> rectangle_blocks;
    std::vector<tlayer_triangles> triangle_blocks;
};

// The filler fields of a kind 7 room as read (header fields 3, 12, 13, 16, 17, 19, 21, 29, then the
// 2 bytes after the portals). Real files carry data in some of them, such as the flip-room link in
// the last two bytes of field 13. A new room holds the values the layout states.
struct ttrc_fillers {
    std::array<std::uint8_t, 4> field3{0xCD, 0xCD, 0xCD, 0xCD};
    std::array<std::uint8_t, 8> field12{0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD};
    std::array<std::uint8_t, 6> field13{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::array<std::uint8_t, 10> field16{};
    std::array<std::uint8_t, 4> field17{0xCD, 0xCD, 0xCD, 0xCD};
    std::array<std::uint8_t, 16> field19{0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD,
                                         0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD};
    std::array<std::uint8_t, 4> field21{0xCD, 0xCD, 0xCD, 0xCD};
    std::array<std::uint8_t, 16> field29{0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD,
                                         0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD, 0xCD};
    std::array<std::uint8_t, 2> after_portals{0xCD, 0xCD};
    // Between the faces and the vertices when the room's triangle total is odd.
    std::array<std::uint8_t, 2> after_faces{0xCD, 0xCD};
    // The trc_filler bytes after the vertices; CD bytes are written when it holds another count.
    Bytes after_vertices;
};

struct troom {
    std::array<std::int32_t, 4> info{}; // x, z, bottom, top
    std::int32_t num_data_words = 0;

    // Kind 7 only.
    std::int32_t num_layers = 0;
    std::vector<std::array<std::uint8_t, 56>> layer_heads;
    ttr5_layers layers;

    std::uint16_t num_vertices = 0;
    Bytes vertices8;      // num_vertices x 8
    Bytes vertices12;     // num_vertices x 12
    Bytes layer_vertices; // kind 7: num_vertices x 28, the layer vertex behind each flat vertex
    std::uint16_t num_rectangles = 0;
    Bytes rectangles;   // num_rectangles x 10
    Bytes rectangles12; // kind 7: num_rectangles x 12 (with the flags word)
    std::uint16_t num_triangles = 0;
    Bytes triangles;   // num_triangles x 8
    Bytes triangles10; // kind 7: num_triangles x 10 (with the flags word)
    std::uint16_t num_sprites = 0;
    Bytes sprites; // num_sprites x 4

    std::int32_t num_fog_bulbs = 0;
    Bytes fog_bulbs;                         // num_fog_bulbs x 36
    std::array<std::int32_t, 27> trc_head{}; // header words 1 to 27 at indices 0 to 26
    std::int32_t trc_filler = 0;
    ttrc_fillers trc_fillers;

    std::uint16_t num_portals = 0;
    Bytes portals; // num_portals x 32
    std::uint16_t num_z_sectors = 0;
    std::uint16_t num_x_sectors = 0;
    Bytes sectors; // z x x x 8
    std::array<std::uint8_t, 2> ambient{};
    std::uint16_t ambient2 = 0;
    std::uint16_t light_mode = 0;
    std::uint16_t num_lights = 0;
    Bytes lights18, lights24, lights46, lights88;
    std::uint16_t num_statics = 0;
    Bytes statics18, statics20;
    std::int16_t alternate_room = 0;
    std::array<std::uint8_t, 2> flags{};
    std::array<std::uint8_t, 4> room_extra{};
    std::uint16_t trc_room_word = 0;

    std::int32_t& trc_word(int n) { return trc_head[static_cast<std::size_t>(n - 1)]; }
    std::int32_t trc_word(int n) const { return trc_head[static_cast<std::size_t>(n - 1)]; }
};

} // namespace pw
