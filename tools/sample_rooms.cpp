#include "tools/sample_rooms.h"

#include <array>

#include "level/layout.h"
#include "tools/le_bytes.h"

namespace pw::art {
namespace {

constexpr int kSector = 1024;
constexpr int kInner = 3;            // floor sectors across, inside the wall ring
constexpr int kSectors = kInner + 2; // with the wall ring
constexpr int kGrid = kInner + 1;    // vertices across the floor
constexpr int kFloorY = 0;           // y grows downwards
constexpr int kCeilingY = -2048;
constexpr int kPortalRow = 1; // the middle row of the shared wall is open
constexpr int kRoomCount = 2;
constexpr std::uint8_t kNoRoom = 255;
constexpr int kWallHeight = -127; // floor and ceiling height of a wall sector
constexpr int kFanCell = 1;       // the middle ceiling cell is three triangles, not a rectangle

std::uint16_t FloorVertex(int i, int j) {
    return static_cast<std::uint16_t>(j * kGrid + i);
}
std::uint16_t CeilingVertex(int i, int j) {
    return static_cast<std::uint16_t>(kGrid * kGrid + j * kGrid + i);
}

// The centre of the fan cell, where its triangles meet.
std::uint16_t FanVertex() {
    return static_cast<std::uint16_t>(2 * kGrid * kGrid);
}

void AddVertex(troom& room, int x, int y, int z) {
    const unsigned light = y == kFloorY ? 0x0A00u : 0x1400u;
    LeBytes(room.vertices8).S16(x).S16(y).S16(z).U16(light);
    const unsigned colour = y == kFloorY ? 0x56B5u : 0x318Cu; // 15-bit greys
    LeBytes(room.vertices12).S16(x).S16(y).S16(z).U16(light).U16(0x0010).U16(colour);
    ++room.num_vertices;
}

void AddVertices(troom& room) {
    for (const int y : {kFloorY, kCeilingY})
        for (int j = 0; j < kGrid; ++j)
            for (int i = 0; i < kGrid; ++i)
                AddVertex(room, (1 + i) * kSector, y, (1 + j) * kSector);
    const int centre = (1 + kFanCell) * kSector + kSector / 2;
    AddVertex(room, centre, kCeilingY, centre);
}

void AddRectangle(troom& room, std::array<std::uint16_t, 4> corners, std::uint16_t texture) {
    LeBytes out(room.rectangles);
    for (const std::uint16_t v : corners)
        out.U16(v);
    out.U16(texture);
    ++room.num_rectangles;
}

void AddTriangle(troom& room, std::array<std::uint16_t, 3> corners, std::uint16_t texture) {
    LeBytes out(room.triangles);
    for (const std::uint16_t v : corners)
        out.U16(v);
    out.U16(texture);
    ++room.num_triangles;
}

// Three triangles over one ceiling cell: two halves of one diagonal's triangle, split at the cell's
// centre, and the other diagonal's triangle whole. An odd count, as real rooms often have.
void AddCeilingFan(troom& room, std::uint16_t texture) {
    const int c = kFanCell;
    const std::uint16_t a = CeilingVertex(c, c + 1);
    const std::uint16_t b = CeilingVertex(c + 1, c + 1);
    const std::uint16_t d = CeilingVertex(c + 1, c);
    const std::uint16_t e = CeilingVertex(c, c);
    AddTriangle(room, {a, b, FanVertex()}, texture);
    AddTriangle(room, {b, d, FanVertex()}, texture);
    AddTriangle(room, {d, e, a}, texture);
}

void AddFaces(troom& room, int room_index, const RoomTextures& t) {
    for (int j = 0; j < kInner; ++j) {
        for (int i = 0; i < kInner; ++i) {
            AddRectangle(
                room,
                {FloorVertex(i, j), FloorVertex(i + 1, j), FloorVertex(i + 1, j + 1), FloorVertex(i, j + 1)},
                t.floor);
            if (i == kFanCell && j == kFanCell) {
                AddCeilingFan(room, t.ceiling_triangle);
                continue;
            }
            AddRectangle(room,
                         {CeilingVertex(i, j + 1), CeilingVertex(i + 1, j + 1), CeilingVertex(i + 1, j),
                          CeilingVertex(i, j)},
                         t.ceiling);
        }
    }
    const int last = kGrid - 1;
    for (int k = 0; k < kInner; ++k) {
        AddRectangle(room,
                     {CeilingVertex(k, 0), CeilingVertex(k + 1, 0), FloorVertex(k + 1, 0), FloorVertex(k, 0)},
                     t.wall);
        AddRectangle(room,
                     {CeilingVertex(k + 1, last), CeilingVertex(k, last), FloorVertex(k, last),
                      FloorVertex(k + 1, last)},
                     t.wall);
        if (!(room_index == 1 && k == kPortalRow))
            AddRectangle(
                room,
                {CeilingVertex(0, k + 1), CeilingVertex(0, k), FloorVertex(0, k), FloorVertex(0, k + 1)},
                t.wall);
        if (!(room_index == 0 && k == kPortalRow))
            AddRectangle(room,
                         {CeilingVertex(last, k), CeilingVertex(last, k + 1), FloorVertex(last, k + 1),
                          FloorVertex(last, k)},
                         t.wall);
    }
}

// The opening in the shared wall: room 0's east side, room 1's west side.
void AddPortal(troom& room, int room_index) {
    const int x = room_index == 0 ? kGrid * kSector : kSector;
    const int z0 = (1 + kPortalRow) * kSector;
    const int z1 = z0 + kSector;
    LeBytes out(room.portals);
    out.U16(room_index == 0 ? 1 : 0).S16(room_index == 0 ? -1 : 1).S16(0).S16(0);
    const int first = room_index == 0 ? z0 : z1;
    const int second = room_index == 0 ? z1 : z0;
    out.S16(x).S16(kCeilingY).S16(first).S16(x).S16(kCeilingY).S16(second);
    out.S16(x).S16(kFloorY).S16(second).S16(x).S16(kFloorY).S16(first);
    room.num_portals = 1;
}

void AddSectors(troom& room, int room_index) {
    room.num_x_sectors = kSectors;
    room.num_z_sectors = kSectors;
    const int portal_x = room_index == 0 ? kSectors - 1 : 0;
    for (int x = 0; x < kSectors; ++x) {
        for (int z = 0; z < kSectors; ++z) {
            const bool ring = x == 0 || z == 0 || x == kSectors - 1 || z == kSectors - 1;
            const bool portal = x == portal_x && z == kPortalRow + 1;
            const bool wall = ring && !portal;
            const unsigned box = wall ? 0xFFFFu : static_cast<unsigned>(portal ? 1 - room_index : room_index);
            LeBytes(room.sectors)
                .U16(0)
                .U16(box)
                .U8(kNoRoom)
                .U8(static_cast<unsigned>(wall ? kWallHeight : kFloorY / 256) & 0xFFu)
                .U8(kNoRoom)
                .U8(static_cast<unsigned>(wall ? kWallHeight : kCeilingY / 256) & 0xFFu);
        }
    }
}

void AddLight(troom& room, std::int32_t kind) {
    const std::int32_t x = room.info[0] + (kSectors * kSector) / 2;
    const std::int32_t y = kCeilingY + 512;
    const std::int32_t z = room.info[1] + (kSectors * kSector) / 2;
    room.num_lights = 1;
    if (kind <= kind_tub) {
        LeBytes(room.lights18).S32(x).S32(y).S32(z).U16(0x1000).U32(0x1800);
    } else if (kind <= kind_tr3) {
        LeBytes(room.lights24).S32(x).S32(y).S32(z).U16(0x1000).U16(0x1000).U32(0x1800).U32(0x1800);
    } else {
        LeBytes out(room.lights46);
        out.S32(x).S32(y).S32(z).U8(255).U8(224).U8(176).U8(1).U8(0).U8(31);
        out.F32(1024.0f).F32(3072.0f).F32(0.0f).F32(0.0f).F32(0.0f).F32(1.0f).F32(0.0f);
    }
}

troom MakeRoom(int room_index, std::int32_t kind, const RoomTextures& textures) {
    troom room;
    room.info = {room_index * kInner * kSector, 0, kFloorY, kCeilingY};
    AddVertices(room);
    AddFaces(room, room_index, textures);
    AddPortal(room, room_index);
    AddSectors(room, room_index);
    room.ambient = {0x00, 0x0C};
    room.ambient2 = 0x0C00;
    AddLight(room, kind);
    room.alternate_room = -1;
    return room;
}

void AddBoxes(Ttrlevel& level) {
    level.SetBoxCount(kRoomCount);
    level.boxes20.clear();
    level.boxes8.clear();
    for (int r = 0; r < kRoomCount; ++r) {
        const int x_min = 1 + r * kInner;
        const int x_max = x_min + kInner;
        LeBytes(level.boxes20)
            .U32(kSector)
            .U32((1 + kInner) * kSector - 1)
            .U32(static_cast<std::uint32_t>(x_min * kSector))
            .U32(static_cast<std::uint32_t>(x_max * kSector - 1))
            .S16(kFloorY)
            .U16(static_cast<unsigned>(r));
        LeBytes(level.boxes8)
            .U8(1)
            .U8(1 + kInner)
            .U8(static_cast<unsigned>(x_min))
            .U8(static_cast<unsigned>(x_max))
            .S16(kFloorY)
            .U16(static_cast<unsigned>(r));
    }
    level.SetOverlapCount(kRoomCount);
    level.overlaps.clear();
    LeBytes(level.overlaps).U16(0x8000u | 1u).U16(0x8000u | 0u); // each box reaches the other
    level.SetZoneCount(kRoomCount);
}

} // namespace

void AddSampleRooms(Ttrlevel& level, const RoomTextures& textures) {
    level.SetRoomCount(kRoomCount);
    for (int r = 0; r < kRoomCount; ++r)
        level.rooms[static_cast<std::size_t>(r)] = MakeRoom(r, level.kind, textures);
    AddBoxes(level);
}

} // namespace pw::art
