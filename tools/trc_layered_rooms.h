// Turns the sample rooms (flat vertex and face lists) into the layered rooms of kind 7 files: one
// layer per room holding the same geometry, with the header words and 88-byte lights of that layout.
#pragma once

#include "level/trlevel.h"

namespace pw::art {

void MakeLayeredRooms(Ttrlevel& level);

} // namespace pw::art
