#include "tools/sample_level.h"

#include <stdexcept>
#include <vector>

#include "level/layout.h"
#include "tools/le_bytes.h"
#include "tools/page_art.h"
#include "tools/page_encoding.h"
#include "tools/palette_quantizer.h"
#include "tools/sample_rooms.h"
#include "tools/trc_layered_rooms.h"

namespace pw::art {
namespace {

constexpr int kTilePixels = TileView::kSize;
constexpr int kLightLevels = 32;
// Pages of the third texture block: two in kind 6 files, three in kind 7 files.
int MiscPages(std::int32_t kind) {
    return kind == kind_trc ? 3 : 2;
}

std::span<std::uint8_t> PageBytes(Bytes& buffer, int page, std::size_t page_size) {
    return std::span(buffer).subspan(static_cast<std::size_t>(page) * page_size, page_size);
}

// A darker copy of every palette entry per light level, from full light (level 0) down to a
// quarter; entry 0 stays transparent at every level.
void FillLightMap(Ttrlevel& level, const PaletteQuantizer& palette) {
    for (int light = 0; light < kLightLevels; ++light) {
        for (int entry = 0; entry < 256; ++entry) {
            const auto at = static_cast<std::size_t>(light * 256 + entry);
            if (entry == 0) {
                level.light_map[at] = 0;
                continue;
            }
            const auto dim = [&](int component) {
                const int v = palette.Palette()[static_cast<std::size_t>(entry * 3 + component)];
                return v * (4 * kLightLevels - 3 * light) / (4 * kLightLevels);
            };
            level.light_map[at] = palette.Nearest(dim(0), dim(1), dim(2));
        }
    }
}

void SetPalettes(Ttrlevel& level, const PaletteQuantizer& palette) {
    level.palette = palette.Palette();
    for (std::size_t e = 0; e < 256; ++e) {
        for (std::size_t c = 0; c < 3; ++c)
            level.palette16[e * 4 + c] = static_cast<std::uint8_t>(level.palette[e * 3 + c] * 4);
        level.palette16[e * 4 + 3] = 0;
    }
    FillLightMap(level, palette);
}

void EncodeDeepPages(Ttrlevel& level, const PageCanvas& canvas, int page) {
    if (level.kind >= kind_tr2)
        EncodePage16(canvas, PageBytes(level.pages16, page, layout::kPage16Bytes));
    if (level.kind >= kind_tr4)
        EncodePage32(canvas, PageBytes(level.pages32, page, layout::kPage32Bytes));
}

// Kinds with 8-bit pages need every page drawn before the palette can be fitted; the others are
// drawn and stored one page at a time, which keeps memory low for large benchmark levels.
void DrawPages(const SampleLevelPlan& plan, Ttrlevel& level) {
    for (int p = 0; p < plan.pages; ++p)
        level.AddPage();
    if (level.kind >= kind_tr4) {
        PageCanvas canvas;
        for (int p = 0; p < plan.pages; ++p) {
            PaintPage(canvas, p, plan.seed);
            EncodeDeepPages(level, canvas, p);
        }
        return;
    }
    std::vector<PageCanvas> canvases(static_cast<std::size_t>(plan.pages));
    PaletteQuantizer palette;
    for (int p = 0; p < plan.pages; ++p) {
        PaintPage(canvases[static_cast<std::size_t>(p)], p, plan.seed);
        palette.AddPage(canvases[static_cast<std::size_t>(p)]);
    }
    palette.Build();
    SetPalettes(level, palette);
    for (int p = 0; p < plan.pages; ++p) {
        EncodePage8(canvases[static_cast<std::size_t>(p)], palette,
                    PageBytes(level.pages8, p, layout::kPage8Bytes));
        EncodeDeepPages(level, canvases[static_cast<std::size_t>(p)], p);
    }
}

std::uint16_t AttributeFor(TileKind kind) {
    if (HasTransparency(kind))
        return 1; // transparent pixels
    return kind == TileKind::water ? 2 : 0;
}

// A rectangle on one 64 x 64 tile. Side bytes: 255 on the far side, else 1 (0 in kinds 6 and 7).
tobjtexture TileTexture(const Ttrlevel& level, int page, int slot, std::uint32_t seed) {
    const std::uint8_t near_side = level.kind >= kind_tr4 ? 0 : 1;
    const auto x0 = static_cast<std::uint8_t>((slot % kTilesPerRow) * kTilePixels);
    const auto y0 = static_cast<std::uint8_t>((slot / kTilesPerRow) * kTilePixels);
    const auto x1 = static_cast<std::uint8_t>(x0 + kTilePixels - 1);
    const auto y1 = static_cast<std::uint8_t>(y0 + kTilePixels - 1);
    tobjtexture t;
    t.attribute = AttributeFor(TileAt(page, slot, seed).kind);
    t.tile = static_cast<std::uint16_t>(page);
    t.new_flags = 0x8000;
    t.vertices = {{{near_side, x0, near_side, y0},
                   {255, x1, near_side, y0},
                   {255, x1, 255, y1},
                   {near_side, x0, 255, y1}}};
    t.width = static_cast<std::uint32_t>(x1 - x0);
    t.height = static_cast<std::uint32_t>(y1 - y0);
    return t;
}

// The upper-left and lower-right halves of the first tile of page 0, as three-vertex textures.
void AddTriangles(std::vector<tobjtexture>& textures, const Ttrlevel& level) {
    tobjtexture upper = TileTexture(level, 0, 0, 0);
    tobjtexture lower = upper;
    upper.vertices[2] = upper.vertices[3];
    upper.vertices[3] = {};
    lower.vertices[0] = lower.vertices[1];
    lower.vertices[1] = lower.vertices[2];
    lower.vertices[2] = lower.vertices[3];
    lower.vertices[3] = {};
    textures.push_back(upper);
    textures.push_back(lower);
}

void AddObjectTextures(Ttrlevel& level, const SampleLevelPlan& plan) {
    std::vector<tobjtexture> textures;
    for (int p = 0; p < plan.pages; ++p)
        for (int s = 0; s < kTilesPerPage; ++s)
            textures.push_back(TileTexture(level, p, s, plan.seed));
    AddTriangles(textures, level);
    level.SetObjectTextureCount(static_cast<std::int32_t>(textures.size()));
    level.object_textures = textures;
}

// One set: the water frames of page 1, shown in turn.
void AddAnimatedWater(Ttrlevel& level, int pages) {
    if (pages <= kWaterPage) {
        level.SetAnimWordCount(1);
        return;
    }
    level.SetAnimWordCount(2 + kWaterFrames);
    level.anim_words[0] = 1;
    level.anim_words[1] = kWaterFrames - 1;
    for (int f = 0; f < kWaterFrames; ++f)
        level.anim_words[static_cast<std::size_t>(2 + f)] =
            static_cast<std::uint16_t>(kWaterPage * kTilesPerPage + kWaterFirstSlot + f);
}

// The player's start in the middle of room 0, in both item forms.
void AddItems(Ttrlevel& level) {
    level.SetItemCount(1);
    level.items22.clear();
    level.items24.clear();
    constexpr std::int32_t x = 2560, y = 0, z = 2560;
    LeBytes(level.items22).S16(0).S16(0).S32(x).S32(y).S32(z).S16(0).S16(-1).U16(0x3E00);
    LeBytes(level.items24).S16(0).S16(0).S32(x).S32(y).S32(z).S16(0).S16(-1).S16(-1).U16(0x3E00);
}

// The third texture block of kinds 6 and 7: pages of sky with clouds.
void AddMiscPages(Ttrlevel& level, std::uint32_t seed) {
    constexpr int kSize = PageCanvas::kSize;
    level.misc_pages32.clear();
    for (int page = 0; page < MiscPages(level.kind); ++page) {
        const auto page_seed = Hash32(seed, static_cast<std::uint32_t>(page), 77);
        for (int y = 0; y < kSize; ++y) {
            const Color sky = Mix(Rgb(52, 92, 168), Rgb(196, 214, 232), static_cast<float>(y) / kSize);
            for (int x = 0; x < kSize; ++x) {
                const float cloud = Clamp01((TileFbm(x, y, 64, 16, kSize, page_seed) - 0.45f) * 2.5f);
                const Color c = Mix(sky, Rgb(246, 246, 250), cloud);
                LeBytes(level.misc_pages32).U8(ToByte(c.b)).U8(ToByte(c.g)).U8(ToByte(c.r)).U8(255);
            }
        }
    }
    level.misc32_size = static_cast<std::int64_t>(level.misc_pages32.size());
}

void AddSections(Ttrlevel& level, std::uint32_t seed) {
    level.SetFloorDataCount(1);
    AddItems(level);
    level.sound_map.fill(0xFF); // no sound for any effect
    if (level.kind >= kind_tr4) {
        level.tex_marker = {0, 'T', 'E', 'X', 0};
        level.spr_marker = {'S', 'P', 'R', 0};
        AddMiscPages(level, seed);
        level.samples.assign(4, 0); // a sample count of 0
        level.samples_size = static_cast<std::uint32_t>(level.samples.size());
    }
}

} // namespace

void BuildSampleLevel(const SampleLevelPlan& plan, Ttrlevel& level) {
    level.Clear();
    level.version = plan.version;
    level.kind = KindForVersion(plan.version, plan.file_name);
    if (level.kind == kind_none)
        throw std::invalid_argument("no sample layout for " + plan.file_name);
    level.marker = layout::kLoadedMarker;
    DrawPages(plan, level);
    AddObjectTextures(level, plan);
    AddAnimatedWater(level, plan.pages);
    const auto texture = [](int page, int slot) {
        return static_cast<std::uint16_t>(page * kTilesPerPage + slot);
    };
    const auto first_triangle = static_cast<std::uint16_t>(plan.pages * kTilesPerPage);
    AddSampleRooms(level, RoomTextures{texture(0, 10), texture(0, 0), texture(0, 2), first_triangle});
    if (level.kind == kind_trc)
        MakeLayeredRooms(level);
    AddSections(level, plan.seed);
}

} // namespace pw::art
