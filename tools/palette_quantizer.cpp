#include "tools/palette_quantizer.h"

#include <algorithm>

namespace pw::art {
namespace {

constexpr int kEntries = 256;

struct Bin {
    std::uint32_t key; // r6 << 12 | g6 << 6 | b6
    std::uint32_t count;
};

int Component(std::uint32_t key, int axis) {
    return static_cast<int>((key >> (12 - 6 * axis)) & 63u);
}

std::uint32_t Key(int r6, int g6, int b6) {
    return static_cast<std::uint32_t>(r6) << 12 | static_cast<std::uint32_t>(g6) << 6 |
           static_cast<std::uint32_t>(b6);
}

// A box of the median cut: a range of bins sorted along its widest axis when it is split.
struct Box {
    std::size_t begin;
    std::size_t end;

    int Range(const std::vector<Bin>& bins, int axis) const {
        int lo = 63;
        int hi = 0;
        for (std::size_t i = begin; i < end; ++i) {
            lo = std::min(lo, Component(bins[i].key, axis));
            hi = std::max(hi, Component(bins[i].key, axis));
        }
        return hi - lo;
    }
    int WidestAxis(const std::vector<Bin>& bins) const {
        int best = 0;
        for (int axis = 1; axis < 3; ++axis)
            if (Range(bins, axis) > Range(bins, best))
                best = axis;
        return best;
    }
    // How much splitting this box pays: its colour spread weighted by its pixel count.
    std::uint64_t Priority(const std::vector<Bin>& bins) const {
        std::uint64_t pixels = 0;
        for (std::size_t i = begin; i < end; ++i)
            pixels += bins[i].count;
        return end - begin < 2 ? 0 : pixels * static_cast<std::uint64_t>(Range(bins, WidestAxis(bins)) + 1);
    }
};

// Splits a box at the pixel-weighted median along its widest axis; returns the upper half.
Box Split(std::vector<Bin>& bins, Box& box) {
    const int axis = box.WidestAxis(bins);
    std::sort(bins.begin() + static_cast<std::ptrdiff_t>(box.begin),
              bins.begin() + static_cast<std::ptrdiff_t>(box.end), [axis](const Bin& a, const Bin& b) {
                  const int ca = Component(a.key, axis);
                  const int cb = Component(b.key, axis);
                  return ca != cb ? ca < cb : a.key < b.key;
              });
    std::uint64_t total = 0;
    for (std::size_t i = box.begin; i < box.end; ++i)
        total += bins[i].count;
    std::uint64_t running = 0;
    std::size_t cut = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        running += bins[i].count;
        cut = i + 1;
        if (running * 2 >= total)
            break;
    }
    const Box upper{cut, box.end};
    box.end = cut;
    return upper;
}

} // namespace

void PaletteQuantizer::AddPage(const PageCanvas& page) {
    for (const Rgba8 p : page.pixels())
        if (p.a != 0)
            ++histogram_[Key(p.r >> 2, p.g >> 2, p.b >> 2)];
}

void PaletteQuantizer::Build() {
    std::vector<Bin> bins;
    for (std::uint32_t key = 0; key < kKeys; ++key)
        if (histogram_[key] != 0)
            bins.push_back({key, histogram_[key]});
    std::vector<Box> boxes;
    if (!bins.empty())
        boxes.push_back({0, bins.size()});
    while (boxes.size() < kEntries - 1) {
        auto best = std::max_element(boxes.begin(), boxes.end(), [&](const Box& a, const Box& b) {
            return a.Priority(bins) < b.Priority(bins);
        });
        if (best == boxes.end() || best->Priority(bins) == 0)
            break;
        const Box upper = Split(bins, *best);
        boxes.push_back(upper);
    }
    palette_.fill(0);
    entries_ = 1 + static_cast<int>(boxes.size());
    for (std::size_t e = 0; e < boxes.size(); ++e) {
        std::uint64_t sum[3] = {0, 0, 0};
        std::uint64_t pixels = 0;
        for (std::size_t i = boxes[e].begin; i < boxes[e].end; ++i) {
            for (int axis = 0; axis < 3; ++axis)
                sum[axis] += static_cast<std::uint64_t>(Component(bins[i].key, axis)) * bins[i].count;
            pixels += bins[i].count;
        }
        for (int axis = 0; axis < 3; ++axis)
            palette_[(e + 1) * 3 + static_cast<std::size_t>(axis)] =
                static_cast<std::uint8_t>((sum[axis] + pixels / 2) / pixels);
    }
    std::fill(index_cache_.begin(), index_cache_.end(), std::int16_t{-1});
}

std::uint8_t PaletteQuantizer::Nearest(int r6, int g6, int b6) const {
    int best = 1;
    int best_distance = 1 << 30;
    for (int e = 1; e < std::max(entries_, 2); ++e) {
        const int dr = palette_[static_cast<std::size_t>(e) * 3] - r6;
        const int dg = palette_[static_cast<std::size_t>(e) * 3 + 1] - g6;
        const int db = palette_[static_cast<std::size_t>(e) * 3 + 2] - b6;
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db; // green weighs most to the eye
        if (distance < best_distance) {
            best_distance = distance;
            best = e;
        }
    }
    return static_cast<std::uint8_t>(best);
}

std::uint8_t PaletteQuantizer::IndexOf(Rgba8 p) {
    if (p.a == 0)
        return 0;
    const std::uint32_t key = Key(p.r >> 2, p.g >> 2, p.b >> 2);
    if (index_cache_[key] < 0)
        index_cache_[key] = Nearest(p.r >> 2, p.g >> 2, p.b >> 2);
    return static_cast<std::uint8_t>(index_cache_[key]);
}

} // namespace pw::art
