// Pictures written into paletted pages: index 0 stays the transparent colour and nothing opaque lands on
// it, the 8-bit and 16-bit depths agree, and error diffusion stays inside the written rectangle and
// lowers the error of what the eye averages. Properties over random pictures and real-looking palettes.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <span>
#include <vector>

#include "level/cie_lab.h"
#include "level/error_diffusion.h"
#include "level/page_access.h"
#include "level/page_writing.h"
#include "level/palette_matcher.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/palettes.h"

namespace {

using pw::Bytes;
using pw::fixtures::RealLookingPalette;

constexpr std::array<std::uint8_t, 3> kBlack{0, 0, 0};
constexpr std::array<std::uint8_t, 3> kDarkRed{2, 0, 0}; // shows as (8, 0, 0)

pw::Ttrlevel Level(int kind, std::uint32_t seed, std::array<std::uint8_t, 3> zero) {
    pw::Ttrlevel level;
    level.kind = kind;
    level.num_pages = 2;
    if (pw::CarriesDepth(kind, pw::PageDepth::bits8))
        level.pages8 = pw::fixtures::Pattern(2 * 65536, seed);
    if (pw::CarriesDepth(kind, pw::PageDepth::bits16))
        level.pages16 = pw::fixtures::Pattern(2 * 131072, seed + 1);
    if (pw::CarriesDepth(kind, pw::PageDepth::bits32))
        level.pages32 = pw::fixtures::Pattern(2 * 262144, seed + 2);
    level.palette = RealLookingPalette(seed, zero);
    return level;
}

std::uint32_t Shown(const pw::Ttrlevel& level, int index) {
    const auto c = [&](int k) {
        return static_cast<std::uint32_t>(level.palette[3 * index + k] * 4) & 0xFFu;
    };
    return c(0) << 16 | c(1) << 8 | c(2);
}

pw::PixelSource Picture(int width, int height, std::span<const std::uint32_t> argb, bool alpha, bool dither) {
    pw::PixelSource source;
    source.width = width;
    source.height = height;
    source.argb = argb;
    source.has_alpha = alpha;
    source.dither = dither;
    return source;
}

std::uint16_t Word(const Bytes& pages16, std::size_t pixel) {
    return static_cast<std::uint16_t>(pages16[2 * pixel] | pages16[2 * pixel + 1] << 8);
}

// Random colours with some exactly the transparent colour and, with alpha, some alpha 0 and some
// partly transparent.
std::vector<std::uint32_t> RandomPicture(std::mt19937& random, int count, std::uint32_t transparent_rgb,
                                         bool alpha) {
    std::vector<std::uint32_t> argb(static_cast<std::size_t>(count));
    for (auto& c : argb) {
        const unsigned roll = random() % 16;
        c = roll == 0 ? transparent_rgb : (roll == 1 ? 0 : random() & 0xFFFFFFu); // black now and then
        c |= alpha ? (roll == 2 ? 0u : roll == 3 ? 0x40000000u : 0xFF000000u) : 0xFF000000u;
    }
    return argb;
}

TEST(CieLab, KnownColours) {
    const auto near = [](pw::CieLab lab, float l, float a, float b) {
        return std::abs(lab.l - l) < 0.05f && std::abs(lab.a - a) < 0.05f && std::abs(lab.b - b) < 0.05f;
    };
    EXPECT_TRUE(near(pw::LabFromRgb(255, 255, 255), 100.0f, 0.0f, 0.0f));
    EXPECT_TRUE(near(pw::LabFromRgb(0, 0, 0), 0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(near(pw::LabFromRgb(255, 0, 0), 53.24f, 80.09f, 67.20f));
    EXPECT_TRUE(near(pw::LabFromRgb(0, 0, 255), 32.30f, 79.19f, -107.86f));
    EXPECT_TRUE(near(pw::LabFromRgb(119, 119, 119), 50.03f, 0.0f, 0.0f));
}

TEST(PaletteMatcher, AnswersTheNearestLookingOpaqueEntryAndNeverEntryZero) {
    for (const std::uint32_t seed : {1u, 2u, 3u}) {
        const pw::Ttrlevel level = Level(1, seed, seed == 1 ? kDarkRed : kBlack);
        pw::PaletteMatcher matcher(level.palette);
        std::mt19937 random(seed);
        for (int i = 0; i < 800; ++i) {
            const std::uint32_t rgb = i < 256 ? Shown(level, i) : random() & 0xFFFFFFu;
            const auto r = static_cast<std::uint8_t>(rgb >> 16), g = static_cast<std::uint8_t>(rgb >> 8),
                       b = static_cast<std::uint8_t>(rgb);
            const pw::CieLab lab = pw::LabFromRgb(r, g, b);
            int best = 1;
            for (int e = 2; e < 256; ++e) {
                const auto c = Shown(level, e), d = Shown(level, best);
                const auto to = [&](std::uint32_t s) {
                    return pw::DeltaE76Squared(lab, pw::LabFromRgb(static_cast<std::uint8_t>(s >> 16),
                                                                   static_cast<std::uint8_t>(s >> 8),
                                                                   static_cast<std::uint8_t>(s)));
                };
                if (to(c) < to(d))
                    best = e;
            }
            ASSERT_EQ(matcher.Match(r, g, b), best) << std::hex << rgb;
            if (i < 256) { // a palette colour: its first opaque entry, so repeats collapse to the lowest
                int first = 1;
                while (Shown(level, first) != rgb && first < 255)
                    ++first;
                if (Shown(level, first) == rgb) {
                    EXPECT_EQ(best, first) << i;
                }
            }
        }
    }
}

// A picture written anywhere into a level with 8-bit pages, with and without alpha, with and without
// dithering.
TEST(PicturesInPalettedPages, NoOpaquePixelLandsOnIndexZeroAndTheDepthsAgree) {
    std::mt19937 random(7);
    for (int kind = 1; kind <= 5; ++kind) {
        for (int round = 0; round < 8; ++round) {
            const bool alpha = round % 2 == 1, dither = round / 2 % 2 == 1;
            pw::Ttrlevel level =
                Level(kind, 10u + static_cast<std::uint32_t>(round), round < 4 ? kBlack : kDarkRed);
            const Bytes before8 = level.pages8, before16 = level.pages16;
            const int width = 1 + static_cast<int>(random() % 100),
                      height = 1 + static_cast<int>(random() % 100);
            const int left = static_cast<int>(random() % 240) - 20,
                      top = static_cast<int>(random() % 240) - 20;
            const std::uint32_t transparent = Shown(level, 0);
            const std::vector<std::uint32_t> argb = RandomPicture(random, width * height, transparent, alpha);
            pw::WritePagePixels(level, 1, left, top, Picture(width, height, argb, alpha, dither), nullptr);

            for (int y = 0; y < 256; ++y) {
                for (int x = 0; x < 256; ++x) {
                    const std::size_t pixel = 65536 + static_cast<std::size_t>(y) * 256 + x;
                    const int sx = x - left, sy = y - top;
                    if (sx < 0 || sy < 0 || sx >= width || sy >= height) {
                        ASSERT_EQ(level.pages8[pixel], before8[pixel])
                            << kind << " outside " << x << "," << y;
                        if (!level.pages16.empty()) {
                            ASSERT_EQ(Word(level.pages16, pixel), Word(before16, pixel));
                        }
                        continue;
                    }
                    const std::uint32_t c = argb[static_cast<std::size_t>(sy) * width + sx];
                    const bool clear = alpha ? (c >> 24) == 0 : (c & 0xFFFFFFu) == transparent;
                    ASSERT_EQ(level.pages8[pixel] == 0, clear)
                        << kind << " round " << round << std::hex << " " << c;
                    if (!level.pages16.empty()) {
                        ASSERT_EQ(Word(level.pages16, pixel), clear ? 0 : (0x8000 | pw::LevelWordFromRgb(c)))
                            << kind << std::hex << " " << c;
                    }
                }
            }
        }
    }
}

// A 128 x 128 picture blending four random corner colours, with a band across it darkened to a third.
std::vector<std::uint32_t> DarkGradient(std::uint32_t seed) {
    std::mt19937 random(seed);
    std::array<std::uint32_t, 4> corner{};
    for (auto& c : corner)
        c = random() & 0xFFFFFFu;
    const int band = static_cast<int>(random() % 96);
    std::vector<std::uint32_t> argb;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const int dark = y >= band && y < band + 32 ? 3 : 1;
            std::uint32_t c = 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                const auto at = [&](int k) {
                    return static_cast<int>((corner[static_cast<std::size_t>(k)] >> shift) & 0xFF);
                };
                const int top = at(0) * (127 - x) + at(1) * x, bottom = at(2) * (127 - x) + at(3) * x;
                c |= static_cast<std::uint32_t>((top * (127 - y) + bottom * y) / (127 * 127) / dark) << shift;
            }
            argb.push_back(c);
        }
    return argb;
}

// The mean difference, per channel, between the average colour of each 8 x 8 block of the picture and
// the average colour the written indices show there.
double BlockAverageError(const pw::Ttrlevel& level, const std::vector<std::uint32_t>& argb) {
    double total = 0;
    int blocks = 0;
    for (int by = 0; by < 128; by += 8)
        for (int bx = 0; bx < 128; bx += 8, ++blocks)
            for (int channel = 0; channel < 3; ++channel) {
                double wanted = 0, shown = 0;
                for (int y = by; y < by + 8; ++y)
                    for (int x = bx; x < bx + 8; ++x) {
                        const int shift = 16 - 8 * channel;
                        wanted += (argb[static_cast<std::size_t>(y) * 128 + x] >> shift) & 0xFF;
                        shown +=
                            (Shown(level, level.pages8[static_cast<std::size_t>(y) * 256 + x]) >> shift) &
                            0xFF;
                    }
                total += std::abs(wanted - shown) / 64;
            }
    return total / (3.0 * blocks);
}

TEST(PicturesInPalettedPages, DitheringHalvesTheBlockAverageErrorAndRepeatsItself) {
    for (std::uint32_t seed = 21; seed < 29; ++seed) {
        const std::vector<std::uint32_t> argb = DarkGradient(seed);
        pw::Ttrlevel plain = Level(1, seed, kDarkRed);
        pw::Ttrlevel dithered = plain;
        pw::WritePagePixels(plain, 0, 0, 0, Picture(128, 128, argb, false, false), nullptr);
        pw::WritePagePixels(dithered, 0, 0, 0, Picture(128, 128, argb, false, true), nullptr);
        const double without = BlockAverageError(plain, argb), with = BlockAverageError(dithered, argb);
        EXPECT_LE(with, without / 2) << "seed " << seed << ": " << with << " against " << without;

        pw::Ttrlevel again = Level(1, seed, kDarkRed);
        pw::WritePagePixels(again, 0, 0, 0, Picture(128, 128, argb, false, true), nullptr);
        EXPECT_EQ(again.pages8, dithered.pages8);
    }
}

// A transparent column splits the picture: what either side holds never changes the other's indices.
TEST(PicturesInPalettedPages, DiffusedErrorDoesNotCrossTransparentPixels) {
    constexpr int kWidth = 65, kHeight = 40, kWall = 32;
    const auto picture = [&](std::uint32_t left_seed, std::uint32_t right_seed) {
        std::mt19937 left(left_seed), right(right_seed);
        std::vector<std::uint32_t> argb;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                argb.push_back(x == kWall ? 0u : 0xFF000000u | ((x < kWall ? left() : right()) & 0xFFFFFFu));
        return argb;
    };
    const pw::Ttrlevel level = Level(1, 33, kBlack);
    const auto written = [&](const std::vector<std::uint32_t>& argb) {
        pw::Ttrlevel copy = level;
        pw::WritePagePixels(copy, 0, 0, 0, Picture(kWidth, kHeight, argb, true, true), nullptr);
        return copy.pages8;
    };
    const Bytes both = written(picture(1, 2)), other_left = written(picture(3, 2)),
                other_right = written(picture(1, 4));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * 256 + static_cast<std::size_t>(x);
            if (x == kWall) {
                ASSERT_EQ(both[at], 0);
            } else {
                ASSERT_EQ(both[at], x < kWall ? other_right[at] : other_left[at]) << x << "," << y;
            }
        }
}

// From a level with the same palette each stored index travels as it is. The source's 16-bit word says
// which pixels are transparent: an opaque word never lands on index 0, even where its 8-bit index is 0,
// and a word 0 does, whatever its index.
TEST(PicturesInPalettedPages, EqualPalettesKeepTheIndexButNotATransparencyTheWordDenies) {
    constexpr int kSide = 64, kLeft = 10, kTop = 20;
    std::mt19937 random(3);
    Bytes indices(kSide * kSide), words(2 * kSide * kSide);
    std::vector<std::uint32_t> argb(kSide * kSide);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        indices[i] = static_cast<std::uint8_t>(random() % 4 == 0 ? 0 : random() % 256);
        const unsigned word = random() % 4 == 0 ? 0 : 0x8000 | (random() & 0x7FFF);
        words[2 * i] = static_cast<std::uint8_t>(word);
        words[2 * i + 1] = static_cast<std::uint8_t>(word >> 8);
        argb[i] = 0xFF000000u | (random() & 0xFFFFFFu);
    }
    for (const int kind : {1, 3}) {
        pw::Ttrlevel level = Level(kind, 51, kBlack);
        pw::PixelSource source = Picture(kSide, kSide, argb, false, false);
        source.stored8 = indices;
        source.stored16 = words;
        source.palette8 = level.palette;
        pw::WritePagePixels(level, 1, kLeft, kTop, source, nullptr);
        for (std::size_t i = 0; i < indices.size(); ++i) {
            const std::uint8_t written = level.pages8[65536 + (kTop + i / kSide) * 256 + kLeft + i % kSide];
            if (Word(words, i) == 0) {
                ASSERT_EQ(written, 0) << kind << " pixel " << i;
            } else if (indices[i] != 0) {
                ASSERT_EQ(written, indices[i]) << kind << " pixel " << i;
            } else {
                ASSERT_NE(written, 0) << kind << " pixel " << i;
            }
        }
    }
}

// Six levels per component, 0 to 63 and symmetric (v and 63 - v both in), in all 216 combinations;
// mirrored, every entry shows 252 minus what it shows unmirrored. The entries after them repeat entry 1.
std::array<std::uint8_t, 768> GridPalette(bool mirrored) {
    constexpr int kLevels[] = {0, 12, 25, 38, 51, 63};
    std::array<std::uint8_t, 768> palette{};
    for (int i = 1; i < 256; ++i) {
        const int k = i <= 216 ? i - 1 : 0;
        const int levels[3] = {kLevels[k / 36], kLevels[k / 6 % 6], kLevels[k % 6]};
        for (int c = 0; c < 3; ++c)
            palette[static_cast<std::size_t>(3 * i + c)] =
                static_cast<std::uint8_t>(mirrored ? 63 - levels[c] : levels[c]);
    }
    return palette;
}

// Dithered, a ramp keeps its mean colour in every channel, and the ramp mirrored in value (over the
// mirrored palette) comes out as the mirror of the result: negative errors are rounded as positive
// ones are, so neither direction gains. Truncating either way shifts the means by about half a unit.
TEST(PicturesInPalettedPages, DitheringKeepsTheMeanOfARampAndItsMirror) {
    constexpr int kWidth = 256, kHeight = 64;
    std::array<double, 3> shown_mean[2]{};
    for (const bool mirrored : {false, true}) {
        std::vector<std::uint32_t> argb;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const std::array<int, 3> c{x * 252 / 255, (4 * y + x / 2) % 253, (3 * x + y) % 253};
                std::uint32_t pixel = 0xFF000000u;
                for (int k = 0; k < 3; ++k)
                    pixel |= static_cast<std::uint32_t>(mirrored ? 252 - c[static_cast<std::size_t>(k)]
                                                                 : c[static_cast<std::size_t>(k)])
                             << (16 - 8 * k);
                argb.push_back(pixel);
            }
        const auto palette = GridPalette(mirrored);
        const Bytes clear(argb.size(), 0);
        const Bytes indices = pw::DiffuseToPalette(argb, clear, kWidth, kHeight, palette);
        for (int k = 0; k < 3; ++k) {
            double wanted = 0, shown = 0;
            for (std::size_t i = 0; i < argb.size(); ++i) {
                wanted += (argb[i] >> (16 - 8 * k)) & 0xFFu;
                shown += 4 * palette[3 * std::size_t{indices[i]} + static_cast<std::size_t>(k)];
            }
            EXPECT_NEAR(shown / argb.size(), wanted / argb.size(), 0.25)
                << "mirrored " << mirrored << " channel " << k;
            shown_mean[mirrored][static_cast<std::size_t>(k)] = shown / argb.size();
        }
    }
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_NEAR(shown_mean[0][k] + shown_mean[1][k], 252.0, 0.25) << "channel " << k;
}

} // namespace
