// One page as a bin of the maximal-rectangles packer: the free space is kept as the list of every
// largest free rectangle (they may overlap), and a new rectangle goes where it leaves the shortest
// leftover side (best short side fit). Rectangles never rotate: a texture's pixels keep their axes.
#pragma once

#include <optional>
#include <vector>

namespace pw {

// A rectangle of a page: left and top included, right and bottom excluded.
struct PackRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PackRect&) const = default;
};

class RectPacker {
public:
    // An empty bin of width x height.
    RectPacker(int width, int height);

    // Where a width x height rectangle fits best (its top-left corner), or nothing when it fits nowhere.
    std::optional<PackRect> FindPlace(int width, int height) const;
    // Marks `rect` as taken; it must lie inside the bin. Used for found places and for rectangles
    // kept where they are.
    void Take(const PackRect& rect);
    // A found place, taken at once.
    std::optional<PackRect> Insert(int width, int height);

    // No free rectangle is wider (higher) than this; a quick test before FindPlace.
    int WidestFree() const { return widest_; }
    int HighestFree() const { return highest_; }
    const std::vector<PackRect>& FreeRects() const { return free_; }

private:
    static void SplitAround(const PackRect& free, const PackRect& taken, std::vector<PackRect>& into);
    void DropContained();
    void UpdateExtents();

    std::vector<PackRect> free_;
    int widest_ = 0;
    int highest_ = 0;
};

} // namespace pw
