// The areas of a page: the boxes of its object textures and sprite textures, joined wherever they
// overlap or touch (edge or corner). An area moves as a whole, so the textures in it keep their places
// relative to each other.
#pragma once

#include <vector>

#include "level/rect_packer.h"
#include "level/trlevel.h"

namespace pw {

struct PageArea {
    int page = 0;
    PackRect box;
    std::vector<int> textures; // object-texture indices, in table order
    std::vector<int> sprites;  // sprite-texture indices, in table order
};

struct PageAreas {
    std::vector<PageArea> areas;
    // The page must stay whole: a sprite's stored rectangle reaches past the page, so moving it would
    // show other pixels.
    bool whole_page = false;
};

// Joins boxes that overlap or touch until no two of the results do; the results are their bounding
// boxes, ordered by top, then left.
std::vector<PackRect> JoinTouchingBoxes(std::vector<PackRect> boxes);

// The areas of page `page`. Textures and sprites of other pages are not looked at.
PageAreas FindPageAreas(const Ttrlevel& level, int page);

// The areas of every page at once (one pass over the tables), indexed by page.
std::vector<PageAreas> FindAllPageAreas(const Ttrlevel& level);

} // namespace pw
