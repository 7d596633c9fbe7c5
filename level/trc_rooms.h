// The level-data head and the layered rooms of kind 7 levels, and the flattening of a room's layers
// into the single vertex and face lists that the other kinds store.
#pragma once

#include <cstddef>

#include "level/image_builder.h"
#include "level/image_cursor.h"
#include "level/trlevel.h"

namespace pw {

// Reads the kind 7 head and all rooms; returns the position where the level data ends.
std::size_t ReadTrcHeadAndRooms(Ttrlevel& level, ImageCursor& in);
void ReadTrcRoom(troom& room, ImageCursor& in);
void FlattenTrcRoom(troom& room);

// Writes the kind 7 head and all rooms; returns the position of the first level-data size field.
std::size_t WriteTrcHeadAndRooms(const Ttrlevel& level, ImageBuilder& out);
void WriteTrcRoom(const troom& room, std::uint16_t geometry_flags, ImageBuilder& out);
// Closes the level data after the sample indices: the kept tail (or 4 CD bytes) and both size fields.
void FinishTrcLevelData(const Ttrlevel& level, ImageBuilder& out, std::size_t size_field_position);

} // namespace pw
