#include "level/page_compaction.h"

#include <algorithm>
#include <cstring>

#include "level/animated_sets.h"
#include "level/layout.h"
#include "level/object_textures.h"
#include "level/page_access.h"

namespace pw {

namespace {

using layout::kPageSide;

// A run of pages that is packed on its own. `count_field` is 0, 1 or 2 for the room, object or bump
// count of kinds 6 and 7, -1 for pages no count holds.
struct PageGroup {
    int start = 0;
    int pages = 0;
    int count_field = -1;
    bool whole_pages = false;
    // Keeps its first page even when nothing is left on it: a level, and each counted group of kinds 6
    // and 7, never loses its last page.
    bool keep_one = true;
};

std::vector<PageGroup> PageGroups(const Ttrlevel& level) {
    const int n = std::max(level.num_pages, 0);
    if (level.kind != kind_tr4 && level.kind != kind_trc)
        return {{0, n, -1, false, true}};
    std::vector<PageGroup> groups;
    int start = 0;
    const std::array<int, 3> counts{level.num_room_tiles, level.num_object_tiles, level.num_bump_tiles};
    const bool has_bump_pages = level.num_bump_tiles > 0;
    for (int field = 0; field < 3; ++field) {
        const int pages = std::min(counts[static_cast<std::size_t>(field)], n - start);
        groups.push_back({start, pages, field, field == 2 || (field == 0 && has_bump_pages), true});
        start += pages;
    }
    groups.push_back({start, n - start, -1, false, false});
    return groups;
}

std::vector<bool> AnimatedPages(const Ttrlevel& level) {
    std::vector<bool> pages(static_cast<std::size_t>(std::max(level.num_pages, 0)), false);
    if (level.kind != kind_tr4 && level.kind != kind_trc)
        return pages;
    for (const AnimatedSet& set : ParseAnimatedSets(level.anim_words))
        for (const std::uint16_t index : set) {
            if (index >= level.object_textures.size() || index >= level.num_object_textures)
                continue;
            const int page = TexturePage(level.object_textures[index]);
            if (page < level.num_pages)
                pages[static_cast<std::size_t>(page)] = true;
        }
    return pages;
}

PageArea WholePage(int page, const std::vector<PageArea>& areas) {
    PageArea whole{page, {0, 0, kPageSide, kPageSide}, {}, {}};
    for (const PageArea& a : areas) {
        whole.textures.insert(whole.textures.end(), a.textures.begin(), a.textures.end());
        whole.sprites.insert(whole.sprites.end(), a.sprites.begin(), a.sprites.end());
    }
    std::sort(whole.textures.begin(), whole.textures.end());
    std::sort(whole.sprites.begin(), whole.sprites.end());
    return whole;
}

// Larger first: the longer side, then the area.
bool PackBefore(const PageArea& a, const PageArea& b) {
    const int side_a = std::max(a.box.Width(), a.box.Height());
    const int side_b = std::max(b.box.Width(), b.box.Height());
    if (side_a != side_b)
        return side_a > side_b;
    return a.box.Width() * a.box.Height() > b.box.Width() * b.box.Height();
}

struct GroupResult {
    std::vector<AreaMove> moves; // to_page local to the group
    int pages_after = 0;
};

// Pages are taken in order. Each area of a page goes to the first page already begun that has room;
// what is left opens one new page, where it keeps its place (it fitted there before). So an area never
// lands on a later page than its own, which lets the pixels move in place.
GroupResult PackGroup(const PageGroup& group, std::vector<PageAreas>& all,
                      const std::vector<bool>& animated) {
    GroupResult result;
    std::vector<RectPacker> bins;
    for (int local = 0; local < group.pages; ++local) {
        const int page = group.start + local;
        PageAreas& on_page = all[static_cast<std::size_t>(page)];
        std::vector<PageArea> areas = std::move(on_page.areas);
        if (group.whole_pages || on_page.whole_page || animated[static_cast<std::size_t>(page)])
            areas = {WholePage(page, areas)};
        std::stable_sort(areas.begin(), areas.end(), PackBefore);
        std::vector<PageArea> left_over;
        for (PageArea& area : areas) {
            bool placed = false;
            for (std::size_t b = 0; b < bins.size() && !placed; ++b) {
                if (const auto place = bins[b].Insert(area.box.Width(), area.box.Height())) {
                    result.moves.push_back({std::move(area), static_cast<int>(b), place->left, place->top});
                    placed = true;
                }
            }
            if (!placed)
                left_over.push_back(std::move(area));
        }
        if (left_over.empty())
            continue;
        bins.emplace_back(kPageSide, kPageSide);
        for (PageArea& area : left_over) {
            bins.back().Take(area.box);
            const int left = area.box.left, top = area.box.top;
            result.moves.push_back({std::move(area), static_cast<int>(bins.size()) - 1, left, top});
        }
    }
    result.pages_after = std::max(static_cast<int>(bins.size()), group.keep_one && group.pages > 0 ? 1 : 0);
    if (result.pages_after == group.pages) // nothing to gain: every area stays
        for (AreaMove& m : result.moves) {
            m.to_page = m.area.page - group.start;
            m.to_left = m.area.box.left;
            m.to_top = m.area.box.top;
        }
    return result;
}

void CopyBox(const std::uint8_t* from, std::uint8_t* to, const AreaMove& m, std::size_t pixel_bytes) {
    const PackRect& b = m.area.box;
    const std::size_t row = static_cast<std::size_t>(b.Width()) * pixel_bytes;
    for (int y = 0; y < b.Height(); ++y) {
        const std::size_t src = (static_cast<std::size_t>(b.top + y) * kPageSide + b.left) * pixel_bytes;
        const std::size_t dst =
            (static_cast<std::size_t>(m.to_top + y) * kPageSide + m.to_left) * pixel_bytes;
        std::memmove(to + dst, from + src, row);
    }
}

// Output pages are written in order. An area only comes from its own page or a later one, so the pages
// it is read from are still as they were. A page none of whose own areas moves stays as it is and only
// receives areas; any other page is built on a spare page, from empty.
void MovePixels(Ttrlevel& level, PageDepth depth, const CompactionPlan& plan,
                const std::vector<std::vector<const AreaMove*>>& arriving, const std::vector<bool>& kept) {
    Bytes& block = PageBlock(level, depth);
    const std::size_t page_bytes = PageBytes(depth);
    const std::size_t pixel_bytes = page_bytes / layout::kPage8Bytes;
    std::vector<std::uint8_t> spare(page_bytes);
    for (int page = 0; page < plan.pages_after; ++page) {
        std::uint8_t* slot = block.data() + static_cast<std::size_t>(page) * page_bytes;
        const bool keep = kept[static_cast<std::size_t>(page)];
        if (!keep)
            std::fill(spare.begin(), spare.end(), std::uint8_t{0});
        for (const AreaMove* m : arriving[static_cast<std::size_t>(page)]) {
            if (keep && m->area.page == page)
                continue;
            const std::uint8_t* from = block.data() + static_cast<std::size_t>(m->area.page) * page_bytes;
            CopyBox(from, keep ? slot : spare.data(), *m, pixel_bytes);
        }
        if (!keep)
            std::memcpy(slot, spare.data(), page_bytes);
    }
    block.resize(static_cast<std::size_t>(plan.pages_after) * page_bytes);
}

void MoveTexture(tobjtexture& t, const AreaMove& m) {
    t.tile = static_cast<std::uint16_t>((t.tile & 0x8000) | m.to_page);
    const int vertices = IsTriangleTexture(t) ? 3 : 4;
    for (int i = 0; i < vertices; ++i) {
        tvertex_coords& v = t.vertices[static_cast<std::size_t>(i)];
        v.xpixel = static_cast<std::uint8_t>(v.xpixel + m.Dx());
        v.ypixel = static_cast<std::uint8_t>(v.ypixel + m.Dy());
    }
}

void AddToU16(std::uint8_t* p, int delta) {
    const int v = static_cast<std::int16_t>(p[0] | (p[1] << 8)) + delta;
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

// Record layout: tile u16, x u8, y u8, width u16, height u16, then left, top, right, bottom (i16),
// which are page pixels only in kinds 6 and 7.
void MoveSprite(Ttrlevel& level, int index, const AreaMove& m) {
    std::uint8_t* p =
        level.sprite_textures.data() + static_cast<std::size_t>(index) * layout::kSpriteTextureSize;
    p[0] = static_cast<std::uint8_t>(m.to_page);
    p[1] = static_cast<std::uint8_t>(m.to_page >> 8);
    p[2] = static_cast<std::uint8_t>(p[2] + m.Dx());
    p[3] = static_cast<std::uint8_t>(p[3] + m.Dy());
    if (level.kind == kind_tr4 || level.kind == kind_trc)
        for (int side = 0; side < 4; ++side)
            AddToU16(p + 8 + 2 * side, side % 2 == 0 ? m.Dx() : m.Dy());
}

// Whether every depth the kind carries holds all the pages the plan reads.
bool HoldsPages(const Ttrlevel& level, int pages) {
    for (const PageDepth depth : {PageDepth::bits8, PageDepth::bits16, PageDepth::bits32})
        if (CarriesDepth(level.kind, depth) &&
            PageBlock(level, depth).size() < static_cast<std::size_t>(pages) * PageBytes(depth))
            return false;
    return true;
}

} // namespace

int CompactionPlan::MovedAreas() const {
    return static_cast<int>(
        std::count_if(moves.begin(), moves.end(), [](const AreaMove& m) { return m.Moves(); }));
}

CompactionPlan PlanCompaction(const Ttrlevel& level) {
    CompactionPlan plan;
    plan.pages_before = std::max(level.num_pages, 0);
    plan.tile_counts = {level.num_room_tiles, level.num_object_tiles, level.num_bump_tiles};
    plan.kept_pages.assign(static_cast<std::size_t>(plan.pages_before), false);
    std::vector<PageAreas> all = FindAllPageAreas(level);
    const std::vector<bool> animated = AnimatedPages(level);
    int start_after = 0;
    for (const PageGroup& group : PageGroups(level)) {
        GroupResult packed = PackGroup(group, all, animated);
        for (AreaMove& m : packed.moves) {
            m.to_page += start_after;
            plan.moves.push_back(std::move(m));
        }
        if (group.count_field >= 0) {
            auto& count = plan.tile_counts[static_cast<std::size_t>(group.count_field)];
            count = static_cast<std::uint16_t>(count - (group.pages - packed.pages_after));
        }
        for (int page = group.start; page < group.start + group.pages; ++page)
            plan.kept_pages[static_cast<std::size_t>(page)] = start_after == group.start;
        start_after += packed.pages_after;
    }
    for (const AreaMove& m : plan.moves)
        if (m.Moves())
            plan.kept_pages[static_cast<std::size_t>(m.area.page)] = false;
    plan.pages_after = start_after;
    std::stable_sort(plan.moves.begin(), plan.moves.end(),
                     [](const AreaMove& a, const AreaMove& b) { return a.area.page < b.area.page; });
    return plan;
}

bool ApplyCompaction(Ttrlevel& level, const CompactionPlan& plan) {
    if (!plan.ChangesLevel() || plan.pages_before != level.num_pages || !HoldsPages(level, plan.pages_before))
        return false;
    std::vector<std::vector<const AreaMove*>> arriving(static_cast<std::size_t>(plan.pages_after));
    std::vector<bool> kept(plan.kept_pages.begin(), plan.kept_pages.begin() + plan.pages_after);
    for (const AreaMove& m : plan.moves)
        arriving[static_cast<std::size_t>(m.to_page)].push_back(&m);
    for (const PageDepth depth : {PageDepth::bits8, PageDepth::bits16, PageDepth::bits32})
        if (CarriesDepth(level.kind, depth))
            MovePixels(level, depth, plan, arriving, kept);
    for (const AreaMove& m : plan.moves) {
        for (const int t : m.area.textures)
            MoveTexture(level.object_textures[static_cast<std::size_t>(t)], m);
        for (const int s : m.area.sprites)
            MoveSprite(level, s, m);
    }
    level.num_pages = plan.pages_after;
    level.page8_bytes = std::int64_t{plan.pages_after} * static_cast<std::int64_t>(layout::kPage8Bytes);
    if (level.kind == kind_tr4 || level.kind == kind_trc) {
        level.num_room_tiles = plan.tile_counts[0];
        level.num_object_tiles = plan.tile_counts[1];
        level.num_bump_tiles = plan.tile_counts[2];
    }
    return true;
}

} // namespace pw
