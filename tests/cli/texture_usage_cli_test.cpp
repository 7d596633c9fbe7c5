// pagewright-cli usage and clean on a level laid out byte by byte: the JSON they print, the level
// clean writes, and the refusal of a level whose mesh is damaged.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

#include "tests/fixtures/level_builder.h"

namespace fs = std::filesystem;
using namespace pw::fixtures;

namespace {

struct CliOutcome {
    int code = -1;
    std::string out;
};

CliOutcome Cli(const std::string& args) {
    CliOutcome r;
    FILE* pipe = popen(("timeout 60 " + std::string(PW_CLI_PATH) + " " + args + " 2>/dev/null").c_str(), "r");
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        r.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

void Put16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// Five records, 3 a copy of 0; room 0 names 0 and 2 (bit 15 set), a triangle names 7 (past the
// table); one mesh names 2; sprite texture 1 is in a room and sequence 5.
LevelDescription CleanableLevel(int kind) {
    LevelDescription d = MakeLevel(kind);
    d.object_textures.assign(5, {});
    for (int i = 0; i < 5; ++i) {
        d.object_textures[static_cast<std::size_t>(i)].tile = static_cast<std::uint16_t>(i == 3 ? 0 : i);
        d.object_textures[static_cast<std::size_t>(i)].vertices[1].xpixel = 63;
    }
    d.rooms[0].rectangles.clear();
    for (std::uint16_t t : {std::uint16_t{0}, std::uint16_t{0x8002}}) {
        for (std::uint16_t i = 0; i < 4; ++i)
            Put16(d.rooms[0].rectangles, i);
        Put16(d.rooms[0].rectangles, t);
    }
    d.rooms[0].triangles.clear();
    for (std::uint16_t w : {0, 1, 2, 7})
        Put16(d.rooms[0].triangles, w);
    d.rooms[0].sprites = {0, 0, 1, 0};
    d.rooms[1].rectangles.clear();
    d.rooms[1].triangles.clear();
    d.rooms[1].sprites.clear();
    // One mesh: no vertices but three, no normals, one textured triangle, no other faces.
    d.mesh_data = Bytes(10, 0);
    for (std::uint16_t w : {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 2, 2})
        Put16(d.mesh_data, w);
    if (kind <= 5)
        for (int i = 0; i < 2; ++i)
            Put16(d.mesh_data, 0);
    d.mesh_pointers = Bytes(4, 0);
    d.sprite_sequences.clear();
    for (std::uint16_t w : {5, 0, 0xFFFF, 1})
        Put16(d.sprite_sequences, w);
    d.anim_words = {0};
    return Finish(d);
}

} // namespace

TEST(TextureUsageCliTest, UsageAndCleanPrintWhatTheyFoundAndDid) {
    const fs::path dir = fs::temp_directory_path() / "pwcli-usage-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const LevelDescription d = CleanableLevel(3);
    const std::string level = (dir / "level.tr2").string(), out = (dir / "out.tr2").string();
    std::ofstream(level, std::ios::binary)
        .write(reinterpret_cast<const char*>(BuildLevel(d).data()),
               static_cast<std::streamsize>(BuildLevel(d).size()));

    CliOutcome r = Cli("usage " + level);
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(
        r.out,
        "{\"object_textures\": [{\"index\": 0, \"room_faces\": 1, \"mesh_faces\": 0, \"animated_sets\": []}, "
        "{\"index\": 1, \"room_faces\": 0, \"mesh_faces\": 0, \"animated_sets\": []}, "
        "{\"index\": 2, \"room_faces\": 1, \"mesh_faces\": 1, \"animated_sets\": []}, "
        "{\"index\": 3, \"room_faces\": 0, \"mesh_faces\": 0, \"animated_sets\": []}, "
        "{\"index\": 4, \"room_faces\": 0, \"mesh_faces\": 0, \"animated_sets\": []}], "
        "\"sprite_textures\": [{\"index\": 0, \"room_sprites\": 0, \"sequences\": []}, "
        "{\"index\": 1, \"room_sprites\": 1, \"sequences\": [5]}, "
        "{\"index\": 2, \"room_sprites\": 0, \"sequences\": []}], "
        "\"unused_object_textures\": [1, 3, 4], \"duplicate_object_textures\": [[0, 3]], "
        "\"dangling_references\": {\"room_faces\": 1, \"mesh_faces\": 0, \"animated_sets\": 0}}\n");

    r = Cli("clean --merge-duplicates " + level + " " + out);
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "{\"object_textures_before\": 5, \"object_textures_after\": 4, \"merged\": [[0, 3]], "
                     "\"removed\": []}\n");
    r = Cli("clean " + level + " " + out);
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "{\"object_textures_before\": 5, \"object_textures_after\": 2, \"merged\": [[0, 3]], "
                     "\"removed\": [1, 4]}\n");
    r = Cli("usage " + out);
    EXPECT_NE(r.out.find("\"unused_object_textures\": [], \"duplicate_object_textures\": [], "
                         "\"dangling_references\": {\"room_faces\": 1,"),
              std::string::npos)
        << r.out;

    // A mesh whose triangle names vertex 3 of 3: usage names it, clean refuses and writes nothing.
    LevelDescription bad = CleanableLevel(3);
    PutU16(bad.mesh_data, 10 + 2 + 18 + 2 + 2 + 4, 3);
    std::ofstream(level, std::ios::binary)
        .write(reinterpret_cast<const char*>(BuildLevel(bad).data()),
               static_cast<std::streamsize>(BuildLevel(bad).size()));
    fs::remove(out);
    r = Cli("usage " + level);
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("\"damaged_mesh\": \"the mesh at byte 0"), std::string::npos) << r.out;
    EXPECT_EQ(Cli("clean " + level + " " + out).code, 3);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(Cli("usage " + (dir / "none.tr2").string()).code, 1);
    EXPECT_EQ(Cli("clean --remove-unused " + level).code, 64);
    fs::remove_all(dir);
}
