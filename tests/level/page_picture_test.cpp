// A page as the picture the page files hold, and that picture taken back into the page.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "level/page_access.h"
#include "level/page_picture.h"
#include "level/palette_matcher.h"
#include "tests/fixtures/level_builder.h"

namespace {

using pw::PageDepth;
using pw::PagePictureDepth;

constexpr std::size_t kPixels = 256 * 256;

// Every fixture kind, then every sample level.
void ForEveryLevel(const std::function<void(pw::Ttrlevel&, const std::string&)>& check) {
    for (int kind = 1; kind <= 7; ++kind) {
        const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(kind));
        pw::Ttrlevel level;
        ASSERT_EQ(level.LoadLevelImage(pw::fixtures::BuildLevel(desc), desc.FileName()),
                  pw::Status::done);
        check(level, "fixture kind " + std::to_string(kind));
    }
    for (const auto& entry : std::filesystem::directory_iterator(PW_SAMPLES_DIR)) {
        pw::Ttrlevel level;
        if (entry.path().extension() != ".md" &&
            level.LoadLevel(entry.path().string()) == pw::Status::done)
            check(level, entry.path().filename().string());
    }
}

std::vector<PagePictureDepth> DepthsOf(const pw::Ttrlevel& level) {
    if (pw::CarriesDepth(level.kind, PageDepth::bits32))
        return {PagePictureDepth::shown, PagePictureDepth::stored32};
    return {PagePictureDepth::shown};
}

std::vector<pw::Bytes> Blocks(const pw::Ttrlevel& level) {
    return {level.pages8, level.pages16, level.pages32};
}

std::unique_ptr<pw::PaletteMatcher> MatcherFor(const pw::Ttrlevel& level) {
    if (!pw::CarriesDepth(level.kind, PageDepth::bits8))
        return nullptr;
    return std::make_unique<pw::PaletteMatcher>(level.palette);
}

} // namespace

TEST(PagePicture, AlphaIsZeroExactlyWhereTheWrittenDepthIsTransparent) {
    ForEveryLevel([](pw::Ttrlevel& level, const std::string& name) {
        SCOPED_TRACE(name);
        const bool paletted = level.kind <= 2;
        for (int page = 0; page < level.num_pages; ++page) {
            const auto shown = pw::PagePictureArgb(level, page, PagePictureDepth::shown);
            ASSERT_EQ(shown.size(), kPixels);
            const auto bytes = pw::PageSpan(level, paletted ? PageDepth::bits8 : PageDepth::bits16, page);
            for (std::size_t i = 0; i < kPixels; ++i) {
                const bool transparent =
                    paletted ? bytes[i] == 0 : bytes[2 * i] == 0 && bytes[2 * i + 1] == 0;
                ASSERT_EQ(shown[i] >> 24, transparent ? 0u : 255u) << "page " << page << " pixel " << i;
            }
            if (!pw::CarriesDepth(level.kind, PageDepth::bits32))
                continue;
            const auto stored = pw::PagePictureArgb(level, page, PagePictureDepth::stored32);
            const auto bgra = pw::PageSpan(level, PageDepth::bits32, page);
            for (std::size_t i = 0; i < kPixels; ++i)
                ASSERT_EQ(stored[i], std::uint32_t{bgra[4 * i + 3]} << 24 |
                                         std::uint32_t{bgra[4 * i + 2]} << 16 |
                                         std::uint32_t{bgra[4 * i + 1]} << 8 | bgra[4 * i]);
        }
    });
}

TEST(PagePicture, EveryPageTakesItsOwnPictureBackWithoutAChange) {
    ForEveryLevel([](pw::Ttrlevel& level, const std::string& name) {
        SCOPED_TRACE(name);
        const auto before = Blocks(level);
        auto matcher = MatcherFor(level);
        for (const PagePictureDepth depth : DepthsOf(level)) {
            for (int page = 0; page < level.num_pages; ++page) {
                auto argb = pw::PagePictureArgb(level, page, depth);
                // An editor may drop the colour of fully transparent pixels.
                for (auto& c : argb)
                    c = (c >> 24) == 0 ? 0u : c;
                EXPECT_FALSE(pw::TakePagePicture(level, page, {argb, true, true}, matcher.get()));
            }
        }
        EXPECT_TRUE(Blocks(level) == before);
    });
}

// One pixel painted opaque and one made transparent: those two pixels change in every depth by the
// copy rules, and no other byte of the level does.
TEST(PagePicture, PaintedPixelsChangeOnlyThemselves) {
    ForEveryLevel([](pw::Ttrlevel& level, const std::string& name) {
        for (const PagePictureDepth depth : DepthsOf(level)) {
            SCOPED_TRACE(name + (depth == PagePictureDepth::shown ? " shown" : " 32-bit"));
            pw::Ttrlevel edited = level;
            const int page = level.num_pages - 1;
            auto argb = pw::PagePictureArgb(level, page, depth);
            const std::size_t painted = 1000, cleared = 2000;
            argb[painted] = 0xFF80C0E0u;
            argb[cleared] = 0x00FFFFFFu;
            auto matcher = MatcherFor(level);
            ASSERT_TRUE(pw::TakePagePicture(edited, page, {argb, true, false}, matcher.get()));

            for (const PageDepth d : {PageDepth::bits8, PageDepth::bits16, PageDepth::bits32}) {
                if (!pw::CarriesDepth(level.kind, d))
                    continue;
                const auto was = pw::PageBlock(level, d);
                const auto now = pw::PageBlock(edited, d);
                ASSERT_EQ(was.size(), now.size());
                const std::size_t bpp = pw::PageBytes(d) / kPixels;
                const std::size_t page_start = static_cast<std::size_t>(page) * pw::PageBytes(d);
                for (std::size_t at = 0; at < was.size(); ++at) {
                    const std::size_t pixel = (at - page_start) / bpp;
                    if (at >= page_start && (pixel == painted || pixel == cleared))
                        continue;
                    ASSERT_EQ(was[at], now[at]) << "byte " << at;
                }
                const std::uint8_t* p = now.data() + page_start + painted * bpp;
                const std::uint8_t* c = now.data() + page_start + cleared * bpp;
                if (d == PageDepth::bits8) {
                    EXPECT_NE(p[0], 0);
                    EXPECT_EQ(c[0], 0);
                } else if (d == PageDepth::bits16) {
                    // 0x80 >> 3, 0xC0 >> 3, 0xE0 >> 3 with the opaque flag
                    EXPECT_EQ(p[0] | p[1] << 8, 0x8000 | 16 << 10 | 24 << 5 | 28);
                    EXPECT_EQ(c[0] | c[1] << 8, 0);
                } else {
                    EXPECT_EQ(pw::Bytes(p, p + 4), (pw::Bytes{0xE0, 0xC0, 0x80, 0xFF}));
                    EXPECT_EQ(pw::Bytes(c, c + 4), (pw::Bytes{0, 0, 0, 0}));
                }
            }
        }
    });
}
