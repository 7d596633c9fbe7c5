// Palette indices for a rectangle of picture colours with Floyd–Steinberg error diffusion: each pixel's
// difference from the entry it gets is spread over the neighbours not yet written (7/16 ahead, 3/16,
// 5/16 and 1/16 on the next row), rows walked in alternate directions so the error does not drift one
// way. The error stays inside the rectangle and never reaches or leaves a transparent pixel, which gets
// index 0; every other pixel gets one of entries 1 to 255. Integer arithmetic: the same colours give
// the same indices on every machine.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pw {

class PaletteMatcher;

// `argb`: width x height colours 0x..RRGGBB, rows from the top; `transparent`: width x height flags.
std::vector<std::uint8_t> DiffuseToPalette(std::span<const std::uint32_t> argb,
                                           std::span<const std::uint8_t> transparent, int width, int height,
                                           PaletteMatcher& matcher);

} // namespace pw
