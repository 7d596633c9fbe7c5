// The compressed blocks of an edited kind 6 or 7 save, read back with zlib's own inflate rather than
// the program's reader: each block's stored sizes and its zlib checksum agree with its bytes, and every
// 16-bit word that is not 0 carries the opaque flag, also in pages the edit did not touch.
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <optional>

#include "level/animated_sets.h"
#include "level/save_preparation.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace pw {
namespace {

using namespace fixtures;

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16) |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// The block whose two size words start at `at`: inflated, checked against both sizes and against the
// Adler-32 that ends the stream. `at` moves past the block.
std::optional<Bytes> InflateBlock(const Bytes& file, std::size_t& at) {
    if (at + 8 > file.size())
        return std::nullopt;
    const std::uint32_t unpacked = U32(file, at), packed = U32(file, at + 4);
    at += 8;
    if (packed < 6 || at + packed > file.size())
        return std::nullopt;
    Bytes out(unpacked + 1);
    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(file.data() + at);
    stream.avail_in = packed;
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    if (inflateInit(&stream) != Z_OK)
        return std::nullopt;
    const int ended = inflate(&stream, Z_FINISH); // checks the stream's Adler-32 as it ends
    const uLong used = stream.total_in, made = stream.total_out;
    inflateEnd(&stream);
    const std::uint32_t trailer = static_cast<std::uint32_t>(file[at + packed - 4]) << 24 |
                                  static_cast<std::uint32_t>(file[at + packed - 3]) << 16 |
                                  static_cast<std::uint32_t>(file[at + packed - 2]) << 8 |
                                  file[at + packed - 1];
    at += packed;
    if (ended != Z_STREAM_END || used != packed || made != unpacked)
        return std::nullopt;
    out.resize(unpacked);
    if (adler32(adler32(0, nullptr, 0), out.data(), static_cast<uInt>(out.size())) != trailer)
        return std::nullopt;
    return out;
}

Bytes Flagged(Bytes words) {
    for (std::size_t at = 0; at + 1 < words.size(); at += 2)
        if ((words[at] | words[at + 1]) != 0)
            words[at + 1] |= 0x80;
    return words;
}

// A level whose 16-bit words all lack the flag, saved as edited: once untouched, once with a square of
// page 1 drawn over in both depths (a red the 16-bit page stores without its flag).
TEST(EditedSaveBlocks, SizesAndChecksumsMatchAndEveryWordCarriesTheFlag) {
    for (const int kind : {6, 7}) {
        for (const bool edit : {false, true}) {
            SCOPED_TRACE("kind " + std::to_string(kind) + (edit ? ", page 1 edited" : ", unchanged"));
            LevelDescription d = MakeLevel(kind);
            for (std::size_t at = 1; at < d.pages16.size(); at += 2)
                d.pages16[at] &= 0x7F;
            Ttrlevel level;
            ASSERT_EQ(Load(level, d), Status::done);
            Bytes pages16 = d.pages16, pages32 = d.pages32;
            if (edit) {
                for (std::size_t y = 8; y < 24; ++y)
                    for (std::size_t x = 8; x < 24; ++x) {
                        const std::size_t pixel = 65536 + y * 256 + x;
                        pages16[2 * pixel] = 0x00;
                        pages16[2 * pixel + 1] = 0x7C;
                        const std::uint8_t red[4] = {0, 0, 0xFF, 0xFF};
                        std::copy_n(red, 4, pages32.begin() + static_cast<std::ptrdiff_t>(4 * pixel));
                    }
                level.pages16 = pages16;
                level.pages32 = pages32;
            }
            const Bytes file =
                SavedImage(level, d.FileName(), EditedSavePlan(level, ParseAnimatedSets(level.anim_words)));
            ASSERT_GT(file.size(), 12u);

            std::size_t at = 10; // the version word and the three tile counts
            const std::optional<Bytes> block32 = InflateBlock(file, at);
            const std::optional<Bytes> block16 = InflateBlock(file, at);
            const std::optional<Bytes> misc = InflateBlock(file, at);
            ASSERT_TRUE(block32 && block16 && misc);
            if (kind == kind_tr4) {
                EXPECT_TRUE(InflateBlock(file, at));
            }
            EXPECT_TRUE(SameBytes(*block32, pages32));
            EXPECT_TRUE(SameBytes(*block16, Flagged(pages16)));
            for (std::size_t w = 0; w + 1 < block16->size(); w += 2)
                ASSERT_TRUE(((*block16)[w] | (*block16)[w + 1]) == 0 || ((*block16)[w + 1] & 0x80) != 0)
                    << "word " << w / 2;
        }
    }
}

} // namespace
} // namespace pw
