#include "level/rect_packer.h"

#include <algorithm>
#include <limits>

namespace pw {

namespace {

bool Overlap(const PackRect& a, const PackRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const PackRect& inner, const PackRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

RectPacker::RectPacker(int width, int height) {
    if (width > 0 && height > 0)
        free_.push_back({0, 0, width, height});
    UpdateExtents();
}

std::optional<PackRect> RectPacker::FindPlace(int width, int height) const {
    if (width <= 0 || height <= 0 || width > widest_ || height > highest_)
        return std::nullopt;
    std::optional<PackRect> best;
    int best_short = std::numeric_limits<int>::max();
    int best_long = std::numeric_limits<int>::max();
    for (const PackRect& f : free_) {
        if (f.Width() < width || f.Height() < height)
            continue;
        const int spare_x = f.Width() - width;
        const int spare_y = f.Height() - height;
        const int shorter = std::min(spare_x, spare_y);
        const int longer = std::max(spare_x, spare_y);
        if (shorter < best_short || (shorter == best_short && longer < best_long)) {
            best = PackRect{f.left, f.top, f.left + width, f.top + height};
            best_short = shorter;
            best_long = longer;
        }
    }
    return best;
}

void RectPacker::Take(const PackRect& rect) {
    std::vector<PackRect> split;
    std::erase_if(free_, [&](const PackRect& f) {
        if (!Overlap(f, rect))
            return false;
        SplitAround(f, rect, split);
        return true;
    });
    free_.insert(free_.end(), split.begin(), split.end());
    DropContained();
    UpdateExtents();
}

std::optional<PackRect> RectPacker::Insert(int width, int height) {
    const auto place = FindPlace(width, height);
    if (place)
        Take(*place);
    return place;
}

// The up to four largest rectangles of `free` that stay clear of `taken`.
void RectPacker::SplitAround(const PackRect& free, const PackRect& taken, std::vector<PackRect>& into) {
    if (taken.left > free.left)
        into.push_back({free.left, free.top, taken.left, free.bottom});
    if (taken.right < free.right)
        into.push_back({taken.right, free.top, free.right, free.bottom});
    if (taken.top > free.top)
        into.push_back({free.left, free.top, free.right, taken.top});
    if (taken.bottom < free.bottom)
        into.push_back({free.left, taken.bottom, free.right, free.bottom});
}

// A free rectangle inside another one adds nothing; of two equal ones the first stays.
void RectPacker::DropContained() {
    for (std::size_t i = 0; i < free_.size(); ++i) {
        for (std::size_t j = i + 1; j < free_.size();) {
            if (Inside(free_[j], free_[i])) {
                free_.erase(free_.begin() + static_cast<std::ptrdiff_t>(j));
            } else if (Inside(free_[i], free_[j])) {
                free_.erase(free_.begin() + static_cast<std::ptrdiff_t>(i));
                j = i + 1;
            } else {
                ++j;
            }
        }
    }
}

void RectPacker::UpdateExtents() {
    widest_ = 0;
    highest_ = 0;
    for (const PackRect& f : free_) {
        widest_ = std::max(widest_, f.Width());
        highest_ = std::max(highest_, f.Height());
    }
}

} // namespace pw
