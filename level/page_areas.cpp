#include "level/page_areas.h"

#include <algorithm>
#include <array>

#include "level/layout.h"
#include "level/object_textures.h"
#include "level/sprite_textures.h"

namespace pw {

namespace {

using layout::kPageSide;
// Up to this many boxes are joined pair by pair; more go through a picture of the page, whose cost
// does not grow with their number.
constexpr std::size_t kPairwiseLimit = 128;

bool Touch(const PackRect& a, const PackRect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

PackRect Union(const PackRect& a, const PackRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

std::vector<PackRect> JoinPairwise(std::vector<PackRect> boxes) {
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            for (std::size_t j = i + 1; j < boxes.size();) {
                if (Touch(boxes[i], boxes[j])) {
                    boxes[i] = Union(boxes[i], boxes[j]);
                    boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(j));
                    joined = true;
                } else {
                    ++j;
                }
            }
        }
    }
    return boxes;
}

// One pass over a picture of the page: the boxes painted (through a table of running sums, so each box
// costs four additions), then the bounding box of each 8-connected group of painted pixels.
std::vector<PackRect> JoinOnPicture(const std::vector<PackRect>& boxes) {
    std::vector<int> sums((kPageSide + 1) * (kPageSide + 1), 0);
    auto at = [&](int x, int y) -> int& { return sums[static_cast<std::size_t>(y * (kPageSide + 1) + x)]; };
    for (const PackRect& b : boxes) {
        ++at(b.left, b.top);
        --at(b.right, b.top);
        --at(b.left, b.bottom);
        ++at(b.right, b.bottom);
    }
    std::vector<std::uint8_t> painted(layout::kPage8Bytes, 0);
    for (int y = 0; y < kPageSide; ++y)
        for (int x = 0; x < kPageSide; ++x) {
            if (x > 0)
                at(x, y) += at(x - 1, y);
            if (y > 0)
                at(x, y) += at(x, y - 1) - (x > 0 ? at(x - 1, y - 1) : 0);
            painted[static_cast<std::size_t>(y * kPageSide + x)] = at(x, y) > 0;
        }
    std::vector<PackRect> groups;
    std::vector<int> stack;
    for (int start = 0; start < kPageSide * kPageSide; ++start) {
        if (!painted[static_cast<std::size_t>(start)])
            continue;
        PackRect g{start % kPageSide, start / kPageSide, start % kPageSide + 1, start / kPageSide + 1};
        painted[static_cast<std::size_t>(start)] = 0;
        stack.assign(1, start);
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            const int px = p % kPageSide, py = p / kPageSide;
            g = Union(g, {px, py, px + 1, py + 1});
            for (int y = std::max(py - 1, 0); y <= std::min(py + 1, kPageSide - 1); ++y)
                for (int x = std::max(px - 1, 0); x <= std::min(px + 1, kPageSide - 1); ++x)
                    if (painted[static_cast<std::size_t>(y * kPageSide + x)]) {
                        painted[static_cast<std::size_t>(y * kPageSide + x)] = 0;
                        stack.push_back(y * kPageSide + x);
                    }
        }
        groups.push_back(g);
    }
    return groups;
}

// Where one object texture or sprite texture lies, and whether it can move at all.
struct ItemBox {
    PackRect box;
    bool movable = true;
};

ItemBox ObjectTextureBox(const tobjtexture& t) {
    const TextureBox b = TextureBounds(t);
    return {{b.min_x, b.min_y, b.max_x + 1, b.max_y + 1}};
}

// The box holds every coordinate the record stores, so that moving the box inside the page keeps each
// of them in its range. Kinds 6 and 7: the corner bytes and the four sides (right and bottom
// excluded); kinds 1 to 5: the corner and the size.
ItemBox SpriteBox(std::int32_t kind, const SpriteTexture& s) {
    if (kind == kind_tr4 || kind == kind_trc) {
        const auto& [l, t, r, b] = s.sides;
        if (l < 0 || t < 0 || l >= kPageSide || t >= kPageSide || r < 0 || b < 0 || r > kPageSide ||
            b > kPageSide)
            return {{}, false};
        const int last_x = r > l ? r - 1 : r, last_y = b > t ? b - 1 : b;
        const int min_x = std::min({int{s.x}, int{l}, int{r}}), min_y = std::min({int{s.y}, int{t}, int{b}});
        const int max_x = std::max({int{s.x}, int{l}, last_x}), max_y = std::max({int{s.y}, int{t}, last_y});
        return {{min_x, min_y, max_x + 1, max_y + 1}};
    }
    const int w = (s.width + 1) / 256, h = (s.height + 1) / 256;
    if (s.x + w > kPageSide || s.y + h > kPageSide)
        return {{}, false};
    return {{s.x, s.y, s.x + std::max(w, 1), s.y + std::max(h, 1)}};
}

bool ValidPage(const Ttrlevel& level, int page) {
    return page >= 0 && page < level.num_pages;
}

struct PageItems {
    std::vector<std::pair<int, ItemBox>> textures;
    std::vector<std::pair<int, ItemBox>> sprites;
};

PageAreas AreasOf(int page, const PageItems& items) {
    PageAreas result;
    std::vector<PackRect> boxes;
    for (const auto* list : {&items.textures, &items.sprites})
        for (const auto& [index, item] : *list) {
            result.whole_page = result.whole_page || !item.movable;
            if (item.movable)
                boxes.push_back(item.box);
        }
    if (result.whole_page) {
        result.areas.push_back({page, {0, 0, kPageSide, kPageSide}, {}, {}});
        for (const auto& item : items.textures)
            result.areas.front().textures.push_back(item.first);
        for (const auto& item : items.sprites)
            result.areas.front().sprites.push_back(item.first);
        return result;
    }
    for (const PackRect& box : JoinTouchingBoxes(std::move(boxes)))
        result.areas.push_back({page, box, {}, {}});
    auto area_of = [&](const PackRect& box) -> PageArea* {
        for (PageArea& a : result.areas)
            if (Union(a.box, box) == a.box)
                return &a;
        return nullptr;
    };
    for (const auto& [index, item] : items.textures)
        if (PageArea* a = area_of(item.box))
            a->textures.push_back(index);
    for (const auto& [index, item] : items.sprites)
        if (PageArea* a = area_of(item.box))
            a->sprites.push_back(index);
    return result;
}

std::vector<PageItems> CollectItems(const Ttrlevel& level, int only_page) {
    std::vector<PageItems> pages(static_cast<std::size_t>(std::max(level.num_pages, 0)));
    const int textures =
        std::min<int>(std::max(level.num_object_textures, 0), static_cast<int>(level.object_textures.size()));
    for (int i = 0; i < textures; ++i) {
        const tobjtexture& t = level.object_textures[static_cast<std::size_t>(i)];
        const int page = TexturePage(t);
        if (ValidPage(level, page) && (only_page < 0 || page == only_page))
            pages[static_cast<std::size_t>(page)].textures.push_back({i, ObjectTextureBox(t)});
    }
    const std::size_t sprites = SpriteTextureCount(level);
    for (std::size_t i = 0; i < sprites; ++i) {
        const SpriteTexture s = ReadSpriteTexture(level, i);
        if (ValidPage(level, s.tile) && (only_page < 0 || s.tile == only_page))
            pages[s.tile].sprites.push_back({static_cast<int>(i), SpriteBox(level.kind, s)});
    }
    return pages;
}

} // namespace

std::vector<PackRect> JoinTouchingBoxes(std::vector<PackRect> boxes) {
    if (boxes.size() > kPairwiseLimit) {
        // Joined groups can still touch through their bounding boxes: repeat until the count holds.
        for (std::size_t before = boxes.size() + 1; boxes.size() < before;) {
            before = boxes.size();
            boxes = JoinOnPicture(boxes);
        }
    } else {
        boxes = JoinPairwise(std::move(boxes));
    }
    std::sort(boxes.begin(), boxes.end(), [](const PackRect& a, const PackRect& b) {
        return std::pair(a.top, a.left) < std::pair(b.top, b.left);
    });
    return boxes;
}

PageAreas FindPageAreas(const Ttrlevel& level, int page) {
    if (!ValidPage(level, page))
        return {};
    return AreasOf(page, CollectItems(level, page)[static_cast<std::size_t>(page)]);
}

std::vector<PageAreas> FindAllPageAreas(const Ttrlevel& level) {
    const std::vector<PageItems> items = CollectItems(level, -1);
    std::vector<PageAreas> result;
    result.reserve(items.size());
    for (std::size_t p = 0; p < items.size(); ++p)
        result.push_back(AreasOf(static_cast<int>(p), items[p]));
    return result;
}

} // namespace pw
