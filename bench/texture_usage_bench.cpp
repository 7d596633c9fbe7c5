// pagewright-bench-usage: which textures a large level uses, and the clean-up that merges the copies
// and removes the unused records. The level is made in memory, larger than the largest real levels:
// 200 rooms of 1,000 rectangles and 500 triangles, 3,000 meshes of 60 faces, 4,000 object textures
// of which a tenth are copies and a tenth unused, and 100 animated sets.
// Targets: usage under 20 ms, a clean-up under 200 ms.
#include <benchmark/benchmark.h>

#include <random>

#include "level/animated_sets.h"
#include "level/texture_cleanup.h"
#include "level/texture_usage.h"

namespace {

constexpr int kRooms = 200;
constexpr int kRectangles = 1000;
constexpr int kTriangles = 500;
constexpr int kMeshes = 3000;
constexpr int kMeshFaces = 30; // of each shape
constexpr int kTextures = 4000;

void Put16(pw::Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// Texture words that name the first nine tenths of the table, some with bit 15 set.
std::uint16_t Word(std::mt19937& random) {
    std::uniform_int_distribution<int> index(0, kTextures * 9 / 10 - 1);
    return static_cast<std::uint16_t>(index(random) | (random() % 4 == 0 ? 0x8000 : 0));
}

pw::Ttrlevel MakeLevel() {
    std::mt19937 random(11);
    pw::Ttrlevel level;
    level.kind = pw::kind_tr4;
    level.SetRoomCount(kRooms);
    for (pw::troom& room : level.rooms) {
        room.num_rectangles = kRectangles;
        room.num_triangles = kTriangles;
        for (int f = 0; f < kRectangles; ++f) {
            for (std::uint16_t i = 0; i < 4; ++i)
                Put16(room.rectangles, i);
            Put16(room.rectangles, Word(random));
        }
        for (int f = 0; f < kTriangles; ++f) {
            for (std::uint16_t i = 0; i < 3; ++i)
                Put16(room.triangles, i);
            Put16(room.triangles, Word(random));
        }
    }
    pw::Bytes& mesh = level.mesh_data;
    for (int m = 0; m < kMeshes; ++m) {
        for (std::uint32_t shift : {0u, 8u, 16u, 24u})
            level.mesh_pointers.push_back(static_cast<std::uint8_t>(mesh.size() >> shift));
        mesh.insert(mesh.end(), 10, 0);
        Put16(mesh, 8);
        mesh.insert(mesh.end(), 8 * 6, 0);
        Put16(mesh, static_cast<std::uint16_t>(-8));
        mesh.insert(mesh.end(), 8 * 2, 0);
        for (int corners : {4, 3}) {
            Put16(mesh, kMeshFaces);
            for (int f = 0; f < kMeshFaces; ++f) {
                for (int i = 0; i < corners; ++i)
                    Put16(mesh, static_cast<std::uint16_t>(i + 4));
                Put16(mesh, Word(random));
                Put16(mesh, 0);
            }
        }
    }
    level.num_mesh_pointers = kMeshes;
    level.num_mesh_data = static_cast<std::int32_t>(mesh.size() / 2);
    level.SetObjectTextureCount(kTextures);
    for (int i = 0; i < kTextures; ++i) {
        pw::tobjtexture& t = level.object_textures[static_cast<std::size_t>(i)];
        const int twin = i % 10 == 9 ? i - 9 : i; // every tenth record copies one nine before it
        t.tile = static_cast<std::uint16_t>(twin % 16);
        t.vertices[0].xpixel = static_cast<std::uint8_t>(twin);
        t.vertices[0].ypixel = static_cast<std::uint8_t>(twin >> 8);
    }
    pw::AnimatedSets sets;
    for (int s = 0; s < 100; ++s)
        sets.push_back({static_cast<std::uint16_t>(s * 4), static_cast<std::uint16_t>(s * 4 + 1)});
    pw::StoreAnimatedSets(level, sets);
    return level;
}

const pw::Ttrlevel& Level() {
    static const pw::Ttrlevel level = MakeLevel();
    return level;
}

void BM_Usage(benchmark::State& state) {
    const pw::Ttrlevel& level = Level();
    for (auto _ : state) {
        pw::TextureUsage usage = pw::ComputeTextureUsage(level);
        benchmark::DoNotOptimize(usage);
    }
}
BENCHMARK(BM_Usage)->Unit(benchmark::kMillisecond);

// Usage, the plan and its application, as the clean command and the menu items do them.
void BM_CleanUp(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        pw::Ttrlevel level = Level();
        state.ResumeTiming();
        pw::AnimatedSets sets = pw::ParseAnimatedSets(level.anim_words);
        const pw::TextureCleanupPlan plan =
            pw::PlanTextureCleanup(level, pw::ComputeTextureUsage(level, sets), true, true);
        pw::ApplyTextureCleanup(level, sets, pw::FindMeshFaces(level), plan);
        benchmark::DoNotOptimize(level.object_textures.data());
        state.counters["after"] = plan.after;
    }
}
BENCHMARK(BM_CleanUp)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
