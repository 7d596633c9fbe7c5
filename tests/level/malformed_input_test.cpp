// Damaged and crafted files: each is rejected (result 2) or raises a decompression error, leaves no
// level in the record, and never makes the reader allocate far beyond the size of the file.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "level/level_errors.h"
#include "level/trlevel.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

// Allocation watch: while armed, the largest single request is recorded and requests above a hard
// ceiling fail, so a reader that trusts a crafted count cannot take the machine's memory.
namespace {
std::atomic<bool> g_watching{false};
std::atomic<std::size_t> g_largest{0};
constexpr std::size_t kRefuseAbove = std::size_t{512} << 20;
} // namespace

// The replacements pair malloc with free; the compiler cannot see that across the two functions.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t n) {
    if (g_watching.load(std::memory_order_relaxed)) {
        std::size_t seen = g_largest.load(std::memory_order_relaxed);
        while (n > seen && !g_largest.compare_exchange_weak(seen, n, std::memory_order_relaxed)) {
        }
        if (n > kRefuseAbove)
            throw std::bad_alloc();
    }
    if (void* p = std::malloc(n != 0 ? n : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
    return ::operator new(n);
}
// The nothrow forms (std::stable_sort's buffer) go through the same malloc, so the deletes above match.
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    try {
        return ::operator new(n);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
    return ::operator new(n, std::nothrow);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace pw {
namespace {

using namespace fixtures;

enum class Outcome { done, invalid, compression_error, other_error };

struct Attempt {
    int result = -1;
    Outcome outcome = Outcome::other_error;
    std::size_t largest_allocation = 0;
    std::string error;
    bool loaded_after = false;
};

// Loads `bytes` into a record that already holds a level, watching allocations.
Attempt LoadWatched(const Bytes& bytes, const std::string& name, bool after_a_level = true) {
    static const Bytes previous = BuildLevel(MakeLevel(1));
    Ttrlevel level;
    if (after_a_level && level.LoadLevelImage(previous, "previous.phd") != Status::done)
        return {};
    Bytes copy = bytes;
    Attempt a;
    g_largest = 0;
    g_watching = true;
    try {
        const Result result = level.LoadLevelImage(std::move(copy), name);
        a.result = static_cast<int>(result.status);
        a.error = result.reason;
        a.outcome = result == Status::done             ? Outcome::done
                    : result == Status::not_a_level    ? Outcome::invalid
                    : result == Status::damaged_stream ? Outcome::compression_error
                                                            : Outcome::other_error;
    } catch (const std::bad_alloc&) {
        a.error = "allocation refused";
    } catch (const std::exception& e) {
        a.error = std::string("unexpected exception: ") + e.what();
    }
    g_watching = false;
    a.largest_allocation = g_largest;
    a.loaded_after = level.IsLoaded();
    return a;
}

// The most a read may take in one piece: the file and what its blocks inflate to, with room to spare.
std::size_t AllocationBound(const Bytes& bytes) {
    return 4 * bytes.size() + (std::size_t{2} << 20);
}

::testing::AssertionResult Rejected(const Bytes& bytes, const std::string& name) {
    const Attempt a = LoadWatched(bytes, name);
    auto failure = ::testing::AssertionFailure();
    if (a.outcome != Outcome::invalid)
        return failure << "expected not_a_level, got status " << a.result << " " << a.error;
    if (a.loaded_after)
        return failure << "the record still holds a level";
    if (a.largest_allocation > AllocationBound(bytes))
        return failure << "allocated " << a.largest_allocation << " bytes in one piece for a file of "
                       << bytes.size();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Rejected(const LevelDescription& d) {
    return Rejected(BuildLevel(d), d.FileName());
}

::testing::AssertionResult IsADamagedStream(const LevelDescription& d) {
    const Attempt a = LoadWatched(BuildLevel(d), d.FileName());
    if (a.outcome != Outcome::compression_error)
        return ::testing::AssertionFailure()
               << "expected damaged_stream, got status " << a.result << " " << a.error;
    if (a.loaded_after)
        return ::testing::AssertionFailure() << "the record still holds a level";
    return ::testing::AssertionSuccess();
}

// Collects the outcomes of many damaged variants of one file and reports the first few failures.
class Sweep {
public:
    void Check(const Attempt& a, std::size_t bound, const std::string& where) {
        ++tried_;
        std::string why;
        if (a.outcome != Outcome::invalid && a.outcome != Outcome::done)
            why = a.error.empty() ? "no result" : a.error;
        else if (a.largest_allocation > bound)
            why = "allocated " + std::to_string(a.largest_allocation) + " bytes in one piece";
        if (why.empty())
            return;
        if (failed_++ < 6)
            report_ += "\n  " + where + ": " + why;
    }
    ::testing::AssertionResult Result() const {
        if (failed_ == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << failed_ << " of " << tried_ << " variants failed; first:" << report_;
    }

private:
    std::size_t tried_ = 0;
    std::size_t failed_ = 0;
    std::string report_;
};

TEST(MalformedInput, EmptyFile) {
    EXPECT_TRUE(Rejected(Bytes{}, "level.phd"));
    TempDir dir;
    WriteFile(dir.File("empty.phd"), Bytes{});
    Ttrlevel level;
    EXPECT_EQ(level.LoadLevel(dir.File("empty.phd")), Status::not_a_level);
}

TEST(MalformedInput, ThreeBytes) {
    EXPECT_TRUE(Rejected(Bytes{0x20, 0, 0}, "level.phd"));
}

TEST(MalformedInput, UnknownVersionWord) {
    LevelDescription d = MakeLevel(3);
    d.version = 0x0000002E;
    EXPECT_TRUE(Rejected(d));
    Ttrlevel level;
    EXPECT_EQ(Load(level, d), Status::not_a_level);
    EXPECT_EQ(level.version, 0u);
    EXPECT_EQ(level.kind, kind_none);
}

TEST(MalformedInput, TruncatedPages) {
    for (int kind : {1, 3}) {
        LevelDescription d = MakeLevel(kind);
        d.truncate_at = 4 + (kind >= 3 ? 1792 : 0) + 4 + 65536 + 1000; // inside page 2
        EXPECT_TRUE(Rejected(d)) << "kind " << kind;
    }
}

TEST(MalformedInput, HugeSectionCounts) {
    for (int kind = 1; kind <= 7; ++kind) {
        for (const char* section :
             {"floor_data", "object_textures", "anim_words", "items", "sample_indices"}) {
            for (std::uint32_t count : {0x7FFFFFFFu, 0xFFFFFFFFu, 0x00100000u}) {
                LevelDescription d = MakeLevel(kind);
                d.count_override[section] = count;
                EXPECT_TRUE(Rejected(d)) << "kind " << kind << ", " << section << " = " << count;
            }
        }
    }
}

TEST(MalformedInput, HugePageCount) {
    for (std::uint32_t count : {0x7FFFFFFFu, 0xFFFFFFFFu, 3u}) {
        LevelDescription d = MakeLevel(3);
        d.count_override["pages"] = count;
        EXPECT_TRUE(Rejected(d)) << count;
    }
}

TEST(MalformedInput, RoomCountWithRoomsMissing) {
    for (int kind : {1, 3, 6, 7}) {
        LevelDescription d = MakeLevel(kind);
        d.count_override["rooms"] = kind == 7 ? 0x7FFFFFFF : 0xFFFF;
        EXPECT_TRUE(Rejected(d)) << "kind " << kind;
    }
}

TEST(MalformedInput, HugeRoomListCounts) {
    for (int kind : {1, 5, 6, 7}) {
        for (const char* list :
             {"vertices", "portals", "z_sectors", "lights", "statics", "fog_bulbs", "layers"}) {
            const std::string key = std::string("room0.") + list;
            if (kind != 7 && (key == "room0.fog_bulbs" || key == "room0.layers"))
                continue;
            if (kind == 7 && key == "room0.vertices")
                continue;
            LevelDescription d = MakeLevel(kind);
            d.count_override[key] =
                kind == 7 && (key == "room0.fog_bulbs" || key == "room0.layers") ? 0x7FFFFFF0 : 0xFFFF;
            EXPECT_TRUE(Rejected(d)) << "kind " << kind << ", " << key;
        }
    }
}

TEST(MalformedInput, CorruptStreamInATextureBlock) {
    for (int kind : {6, 7}) {
        for (int block = 0; block < 3; ++block) {
            LevelDescription d = MakeLevel(kind);
            d.corrupt_block = block;
            EXPECT_TRUE(IsADamagedStream(d)) << "kind " << kind << ", block " << block;
        }
    }
}

TEST(MalformedInput, CorruptStreamInKindSixLevelData) {
    LevelDescription d = MakeLevel(6);
    d.corrupt_block = 3;
    EXPECT_TRUE(IsADamagedStream(d));
}

TEST(MalformedInput, CorruptStreamInTheZlibWrapper) {
    LevelDescription d = MakeLevel(1);
    d.zlib_wrap = true;
    d.corrupt_wrap = true;
    EXPECT_TRUE(IsADamagedStream(d));
}

TEST(MalformedInput, PackedSizeLargerThanTheFile) {
    for (int block = 0; block < 4; ++block) {
        LevelDescription d = MakeLevel(6);
        d.packed_override[block] = 0x7FFFFFFF;
        EXPECT_TRUE(Rejected(d)) << "block " << block;
    }
    LevelDescription wrapped = MakeLevel(3);
    wrapped.zlib_wrap = true;
    wrapped.wrap_packed_override = 0x7FFFFFFF;
    EXPECT_TRUE(Rejected(wrapped)) << "wrapper";
}

TEST(MalformedInput, UnpackedSizeNoStreamThatShortCanFill) {
    for (int block = 0; block < 4; ++block) {
        LevelDescription d = MakeLevel(6);
        d.unpacked_override[block] = 0xFFFFFF00;
        EXPECT_TRUE(Rejected(d)) << "block " << block;
    }
}

TEST(MalformedInput, MorePagesThanALevelMayHold) {
    // 4097 pages is one beyond the limit; 8192 pages once overflowed a 32-bit size and saved an empty
    // 32-bit block. Both are refused from their claimed sizes, before anything is inflated.
    for (const std::uint32_t pages : {4097u, 8192u}) {
        LevelDescription d = MakeLevel(6);
        d.unpacked_override[0] = pages * 262144u;
        d.unpacked_override[1] = pages * 131072u;
        EXPECT_TRUE(Rejected(d)) << pages << " pages";
        LevelDescription sixteen_only = MakeLevel(7);
        sixteen_only.unpacked_override[1] = pages * 131072u;
        EXPECT_TRUE(Rejected(sixteen_only)) << pages << " pages claimed by the 16-bit block";
    }
    LevelDescription plain = MakeLevel(1);
    plain.count_override["pages"] = 4097;
    EXPECT_TRUE(Rejected(plain));
}

TEST(MalformedInput, TheLargestPageCountIsJudgedByTheFileOneMoreIsTooMany) {
    // Neither file holds the pages it claims: at the limit that is what refuses it, one page more is
    // refused for the count alone.
    for (const std::uint32_t pages : {4096u, 4097u}) {
        LevelDescription plain = MakeLevel(3);
        plain.count_override["pages"] = pages;
        LevelDescription packed = MakeLevel(6);
        packed.unpacked_override[0] = pages * 262144u;
        packed.unpacked_override[1] = pages * 131072u;
        for (const LevelDescription& d : {plain, packed}) {
            Ttrlevel level;
            const Result result = Load(level, d);
            ASSERT_EQ(result, Status::not_a_level);
            const bool too_many = result.reason.find("more than 4096") != std::string::npos;
            EXPECT_EQ(too_many, pages > 4096) << pages << " pages, kind " << d.kind << ": " << result.reason;
        }
    }
}

TEST(MalformedInput, BlockThatInflatesToMoreThanItClaims) {
    // 64 MiB of zeros in a 64 KiB stream, claiming the two pages it should hold: refused once the
    // output passes the claim, without inflating the rest.
    LevelDescription d = MakeLevel(6);
    d.pages32.assign(std::size_t{64} << 20, 0);
    d.unpacked_override[0] = 2 * 262144;
    EXPECT_TRUE(Rejected(d));
    LevelDescription level_data = MakeLevel(6);
    level_data.unpacked_override[3] = 1000;
    EXPECT_TRUE(Rejected(level_data));
    LevelDescription wrapped = MakeLevel(1);
    wrapped.zlib_wrap = true;
    wrapped.edit_level_data = [](Bytes& b) { b.resize(b.size() + (std::size_t{32} << 20), 0); };
    Bytes bomb = BuildLevel(wrapped);
    PutU32(bomb, 8, 4096); // the wrapper's unpacked size
    EXPECT_TRUE(Rejected(bomb, wrapped.FileName()));
}

TEST(MalformedInput, LevelDataClaimBeyondTheLimit) {
    LevelDescription d = MakeLevel(6);
    d.level_tail.assign(std::size_t{1} << 20, 0); // a stream long enough to make the claim plausible
    d.unpacked_override[3] = (256u << 20) + 1;
    EXPECT_TRUE(Rejected(d));
}

TEST(MalformedInput, FileCutInsideItsSoundSamples) {
    for (int kind : {6, 7}) {
        LevelDescription d = MakeLevel(kind);
        const Bytes whole = BuildLevel(d);
        for (const std::size_t cut :
             {std::size_t{1}, std::size_t{2}, std::size_t{700}, d.samples.size() - 3}) {
            LevelDescription c = d;
            c.truncate_at = whole.size() - cut;
            EXPECT_TRUE(Rejected(c)) << "kind " << kind << ", " << cut << " bytes cut";
        }
        LevelDescription no_area = d;
        no_area.samples.clear();
        EXPECT_TRUE(Rejected(no_area)) << "kind " << kind << " without a sample count";
        LevelDescription long_record = d;
        PutU32(long_record.samples, 8, 0x7FFFFFFF); // packed size of the first sample
        EXPECT_TRUE(Rejected(long_record)) << "kind " << kind;
    }
}

TEST(MalformedInput, KindSevenRoomSizePastTheEnd) {
    LevelDescription d = MakeLevel(7);
    d.rooms[1].data_size_override = 0x7FFFFFF0;
    EXPECT_TRUE(Rejected(d));
}

TEST(MalformedInput, KindSevenRoomSizeShorterThanItsContent) {
    LevelDescription d = MakeLevel(7);
    d.rooms[0].data_size_override = 100;
    EXPECT_TRUE(Rejected(d));
}

TEST(MalformedInput, KindSevenLevelDataSizePastTheEnd) {
    LevelDescription d = MakeLevel(7);
    d.level_data_size_override = 0x7FFFFFF0;
    EXPECT_TRUE(Rejected(d));
}

TEST(MalformedInput, KindSevenLayerCountsBeyondTheRoom) {
    LevelDescription d = MakeLevel(7);
    d.edit_level_data = [](Bytes& b) {
        const BuiltLevel built = BuildLevelMapped(MakeLevel(7));
        PutU32(b, built.at.at("room0.layer_heads"), 0xFFFF); // vertex count of layer 0
    };
    EXPECT_TRUE(Rejected(d));
}

TEST(MalformedInput, ShortFileRejectedAtEveryCut) {
    // Each kind cut at many places: rejected or read, never a crash, an exception or a big allocation.
    Sweep sweep;
    for (int kind = 1; kind <= 7; ++kind) {
        LevelDescription d = MakeLevel(kind);
        d.num_pages = 1;
        d.pages8.resize(kind <= 5 ? 65536 : 0);
        d.pages16.resize(kind >= 3 ? 131072 : 0);
        d.pages32.resize(kind >= 6 ? 262144 : 0);
        d.misc32.resize(kind >= 6 ? 4096 : 0);
        const Bytes whole = BuildLevel(d);
        const std::size_t step = std::max<std::size_t>(1, whole.size() / 400);
        for (std::size_t cut = 0; cut < whole.size(); cut += (cut < 64 ? 1 : step)) {
            const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
            sweep.Check(LoadWatched(part, d.FileName(), false), AllocationBound(whole),
                        "kind " + std::to_string(kind) + " cut at " + std::to_string(cut));
        }
    }
    EXPECT_TRUE(sweep.Result());
}

TEST(MalformedInput, CountsOverwrittenAnywhereAreHandled) {
    // 0xFFFF written over every even offset of the level data in turn: whatever count or size it
    // lands on, the read ends in result 0 or 2 without a big allocation.
    Sweep sweep;
    for (int kind : {1, 3, 5, 7}) {
        LevelDescription d = MakeLevel(kind);
        d.num_pages = 1;
        d.pages8.resize(kind <= 5 ? 65536 : 0);
        d.pages16.resize(kind >= 3 ? 131072 : 0);
        d.pages32.resize(kind >= 6 ? 262144 : 0);
        d.misc32.resize(kind >= 6 ? 4096 : 0);
        const BuiltLevel built = BuildLevelMapped(d);
        const std::size_t from = kind == 7 ? built.at.at("level_head") : built.at.at("rooms") - 4;
        const std::size_t to = built.at.at("sample_indices_end");
        // Fixed-size blocks without counts are left out.
        auto in_block = [&](std::size_t at) {
            const std::size_t sound = built.at.at("sound_map");
            const bool in_sound = at >= sound && at < sound + SoundMapSize(kind);
            const bool in_light =
                kind <= 5 && at >= built.at.at("light_map") && at < built.at.at("light_map") + 8192;
            return in_sound || in_light;
        };
        for (std::size_t at = from; at + 2 <= to; at += 2) {
            if (in_block(at))
                continue;
            Bytes bytes = built.bytes;
            PutU16(bytes, at, 0xFFFF);
            sweep.Check(LoadWatched(bytes, d.FileName(), false), AllocationBound(bytes),
                        "kind " + std::to_string(kind) + ", 0xFFFF at " + std::to_string(at));
        }
    }
    EXPECT_TRUE(sweep.Result());
}

TEST(MalformedInput, KindSixLevelDataCountsOverwrittenAnywhereAreHandled) {
    LevelDescription d = MakeLevel(6);
    d.num_pages = 1;
    d.pages16.resize(131072);
    d.pages32.resize(262144);
    d.misc32.resize(4096);
    const BuiltLevel built = BuildLevelMapped(d);
    const Bytes level_data = KindSixLevelData(built.bytes);
    const std::size_t block = built.at.at("file.block3");
    const Bytes head(built.bytes.begin(), built.bytes.begin() + static_cast<std::ptrdiff_t>(block));
    Sweep sweep;
    for (std::size_t at = 4; at + 2 <= built.at.at("sample_indices_end"); at += 2) {
        Bytes data = level_data;
        PutU16(data, at, 0xFFFF);
        const Bytes stream = Deflate(data);
        Bytes file = head;
        file.resize(head.size() + 8);
        PutU32(file, head.size(), static_cast<std::uint32_t>(data.size()));
        PutU32(file, head.size() + 4, static_cast<std::uint32_t>(stream.size()));
        file.insert(file.end(), stream.begin(), stream.end());
        file.insert(file.end(), d.samples.begin(), d.samples.end());
        sweep.Check(LoadWatched(file, d.FileName(), false), AllocationBound(file) + 4 * (262144 + 131072),
                    "0xFFFF at " + std::to_string(at) + " of the level data");
    }
    EXPECT_TRUE(sweep.Result());
}

TEST(MalformedInput, TwelveByteFileStartingWithZlibIsNoLevel) {
    Bytes twelve = {'Z', 'L', 'I', 'B', 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F};
    EXPECT_TRUE(Rejected(twelve, "level.phd"));
}

} // namespace
} // namespace pw

namespace pw {
namespace {

using namespace fixtures;

// A level cut short anywhere inside its sections would open as a partial level that, saved again,
// loses what is missing: it is rejected instead.
TEST(MalformedInput, FileCutInsideItsSectionsIsRejected) {
    for (int kind : {1, 2, 3, 5, 7}) {
        const LevelDescription d = MakeLevel(kind);
        const BuiltLevel built = BuildLevelMapped(d);
        const std::size_t cuts[] = {4, 8, built.at.at("rooms") + 3, built.at.at("sound_map") + 10,
                                    built.at.at("sample_indices_end") - 1};
        for (std::size_t cut : cuts) {
            SCOPED_TRACE("kind " + std::to_string(kind) + " cut at " + std::to_string(cut));
            Ttrlevel level;
            EXPECT_EQ(
                level.LoadLevelImage(Bytes(built.bytes.begin(), built.bytes.begin() + cut), d.FileName()),
                Status::not_a_level);
            EXPECT_FALSE(level.IsLoaded());
        }
    }
    LevelDescription d = MakeLevel(6);
    const std::size_t sound_map = BuildLevelMapped(d).at.at("sound_map");
    d.edit_level_data = [sound_map](Bytes& data) { data.resize(sound_map + 10); };
    Ttrlevel level;
    EXPECT_EQ(level.LoadLevelImage(BuildLevel(d), d.FileName()), Status::not_a_level);
}

} // namespace
} // namespace pw
