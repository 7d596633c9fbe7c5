#include "level/page_access.h"

#include "level/layout.h"

namespace pw {

bool CarriesDepth(std::int32_t kind, PageDepth depth) {
    switch (depth) {
    case PageDepth::bits8:
        return kind >= kind_tr1 && kind <= kind_tr3;
    case PageDepth::bits16:
        return kind >= kind_tr2 && kind <= kind_trc;
    case PageDepth::bits32:
        return kind == kind_tr4 || kind == kind_trc;
    }
    return false;
}

bool ShowsPalettedPages(std::int32_t kind) {
    return kind == kind_tr1 || kind == kind_tub;
}

std::size_t PageBytes(PageDepth depth) {
    switch (depth) {
    case PageDepth::bits8:
        return layout::kPage8Bytes;
    case PageDepth::bits16:
        return layout::kPage16Bytes;
    case PageDepth::bits32:
        return layout::kPage32Bytes;
    }
    return 0;
}

Bytes& PageBlock(Ttrlevel& level, PageDepth depth) {
    switch (depth) {
    case PageDepth::bits8:
        return level.pages8;
    case PageDepth::bits16:
        return level.pages16;
    case PageDepth::bits32:
        break;
    }
    return level.pages32;
}

const Bytes& PageBlock(const Ttrlevel& level, PageDepth depth) {
    return PageBlock(const_cast<Ttrlevel&>(level), depth);
}

std::span<std::uint8_t> PageSpan(Ttrlevel& level, PageDepth depth, int page) {
    if (page < 0 || !CarriesDepth(level.kind, depth))
        return {};
    Bytes& block = PageBlock(level, depth);
    const std::size_t size = PageBytes(depth);
    const std::size_t start = static_cast<std::size_t>(page) * size;
    if (block.size() < start + size)
        return {};
    return {block.data() + start, size};
}

std::span<const std::uint8_t> PageSpan(const Ttrlevel& level, PageDepth depth, int page) {
    return PageSpan(const_cast<Ttrlevel&>(level), depth, page);
}

} // namespace pw
