// Compacting pages: the areas of every page are packed into as few pages as they need, filling pages
// from the first, and the pages left empty at the end are dropped. Every texture in an area moves with
// its pixels, so each object texture and sprite texture shows the same pixels before and after.
//
// Kinds 6 and 7 keep their pages in three groups (room, object and bump pages, counted in the file's
// head); areas stay inside their group and each group's count shrinks by the pages it drops. Pages
// that must stay whole move only as whole pages: those holding a texture of an animated set in kinds 6
// and 7 (the engine scrolls some of them, showing pixels no texture covers), the bump pages (the
// engine finds them by page, not through a texture), the room pages of a level that has bump pages
// (their bump maps follow them page for page), and pages with a sprite whose rectangle reaches past
// the page.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "level/page_areas.h"
#include "level/trlevel.h"

namespace pw {

struct AreaMove {
    PageArea area; // where it is
    int to_page = 0;
    int to_left = 0;
    int to_top = 0;
    int Dx() const { return to_left - area.box.left; }
    int Dy() const { return to_top - area.box.top; }
    bool Moves() const { return to_page != area.page || Dx() != 0 || Dy() != 0; }
};

struct CompactionPlan {
    int pages_before = 0;
    int pages_after = 0;
    std::vector<AreaMove> moves; // every area of the level, in page order
    // Kinds 6 and 7: the room, object and bump page counts after compaction.
    std::array<std::uint16_t, 3> tile_counts{};
    // By page before: it stays where it is with every byte, only receiving areas (none of its own
    // areas moves, and the pages before it keep their number).
    std::vector<bool> kept_pages;
    int MovedAreas() const;
    bool ChangesLevel() const { return pages_after != pages_before || MovedAreas() > 0; }
};

// What compaction would do; the level is not changed. A group that would keep all its pages is left
// as it is, and a level (or a counted group of kinds 6 and 7) keeps at least one page.
CompactionPlan PlanCompaction(const Ttrlevel& level);

// Does what `plan` (made by PlanCompaction on this level as it is) says: moves the pixels in every depth
// the kind carries, then the object textures and sprite textures, and drops the pages at the end. Works
// in place, with one spare page per depth. False, with nothing changed, when the plan changes nothing or
// does not fit the level (another page count, or a depth that does not hold every page).
bool ApplyCompaction(Ttrlevel& level, const CompactionPlan& plan);

} // namespace pw
