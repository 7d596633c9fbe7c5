// Which page depths a level kind carries and where page p of each depth lies. Every copy, view and
// command asks here instead of testing kinds itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "level/trlevel.h"

namespace pw {

enum class PageDepth { bits8, bits16, bits32 };

// 8-bit pages in kinds 1 to 5, 16-bit pages in kinds 3 to 7, 32-bit pages in kinds 6 and 7.
bool CarriesDepth(std::int32_t kind, PageDepth depth);
// Kinds 1 and 2 have only paletted pages and are shown through their palette.
bool ShowsPalettedPages(std::int32_t kind);

std::size_t PageBytes(PageDepth depth);
Bytes& PageBlock(Ttrlevel& level, PageDepth depth);
const Bytes& PageBlock(const Ttrlevel& level, PageDepth depth);

// The bytes of page `page` in that depth; empty when the kind lacks the depth or the block is short.
std::span<std::uint8_t> PageSpan(Ttrlevel& level, PageDepth depth, int page);
std::span<const std::uint8_t> PageSpan(const Ttrlevel& level, PageDepth depth, int page);

} // namespace pw
