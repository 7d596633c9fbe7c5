// Two joined rooms for the sample levels: three by three sectors of floor inside a ring of wall
// sectors, floor, ceiling and walls of textured rectangles, a portal through the shared wall, a light
// each, and the boxes, overlaps and zones that go with them.
#pragma once

#include <cstdint>

#include "level/trlevel.h"

namespace pw::art {

struct RoomTextures {
    std::uint16_t floor = 0;
    std::uint16_t wall = 0;
    std::uint16_t ceiling = 0;
    std::uint16_t ceiling_triangle = 0; // a three-vertex texture for the triangles of the ceiling
};

// Sets the rooms and the box sections of `level`, whose kind is already set (1 to 6).
void AddSampleRooms(Ttrlevel& level, const RoomTextures& textures);

} // namespace pw::art
