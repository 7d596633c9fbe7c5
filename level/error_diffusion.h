// Palette indices for a rectangle of picture colours with Floyd–Steinberg error diffusion: each pixel's
// difference from the entry it gets is spread over the neighbours not yet written (7/16 ahead, 3/16,
// 5/16 and 1/16 on the next row), rows walked in alternate directions so the error does not drift one
// way. The error stays inside the rectangle and never reaches or leaves a transparent pixel, which gets
// index 0; every other pixel gets one of entries 1 to 255, the nearest by luma-weighted RGB distance to
// the colour with the error it received (see PaletteMatcher). The error is integer arithmetic: the same
// colours give the same indices.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pw {

// `argb`: width x height colours 0x..RRGGBB, rows from the top; `transparent`: width x height flags;
// `palette`: the level's palette as stored (6-bit components).
std::vector<std::uint8_t> DiffuseToPalette(std::span<const std::uint32_t> argb,
                                           std::span<const std::uint8_t> transparent, int width, int height,
                                           std::span<const std::uint8_t, 768> palette);

} // namespace pw
