// Runs the pagewright-cli executable on levels laid out by the fixture builder and checks its
// output, its exit codes and the files it leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <utility>
#include <vector>

#include "level/object_textures.h"
#include "tests/fixtures/level_builder.h"

namespace fs = std::filesystem;
using pw::fixtures::Bytes;

namespace {

struct CliRun {
    int exit_code = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("pwcli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const Bytes& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }
    static Bytes ReadFile(const std::string& path) {
        std::ifstream f(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(f), {});
    }
    CliRun Cli(const std::string& args) {
        const std::string err_file = (dir_ / "stderr.txt").string();
        // A tool that waits on a pipe ends after a minute instead of hanging the suite.
        const std::string command = "timeout 60 " + std::string(PW_CLI_PATH) + " " + args + " 2>" + err_file;
        CliRun r;
        FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 4096> buffer{};
        while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
            r.out.append(buffer.data(), n);
        const int status = pclose(pipe);
        r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        const Bytes err = ReadFile(err_file);
        r.err.assign(err.begin(), err.end());
        return r;
    }
    fs::path dir_;
};

// Bitwise CRC-32 (the zlib polynomial), kept apart from the library's own.
std::uint32_t ReferenceCrc32(const std::uint8_t* data, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string CrcList(const Bytes& pages, std::size_t page_size) {
    std::string s = "[";
    for (std::size_t at = 0; at + page_size <= pages.size(); at += page_size)
        s += (at ? ", " : "") + std::to_string(ReferenceCrc32(pages.data() + at, page_size));
    return s + "]";
}

// The whole info line of a level, composed from its description: every key and value.
std::string ExpectedInfo(const pw::fixtures::LevelDescription& d) {
    const int kind = d.kind;
    std::string s = "{\"kind\": " + std::to_string(kind) + ", \"version\": " + std::to_string(d.Version()) +
                    ", \"num_pages\": " + std::to_string(d.num_pages) +
                    ", \"num_rooms\": " + std::to_string(d.rooms.size()) +
                    ", \"num_object_textures\": " + std::to_string(d.object_textures.size()) +
                    ", \"num_anim_words\": " + std::to_string(d.anim_words.size()) + ", \"anim_words\": [";
    for (std::size_t i = 0; i < d.anim_words.size(); ++i)
        s += (i ? ", " : "") + std::to_string(d.anim_words[i]);
    s += "], \"object_textures\": [";
    for (std::size_t i = 0; i < d.object_textures.size(); ++i) {
        const pw::tobjtexture& t = d.object_textures[i];
        const auto stored = [kind](std::uint32_t v, int from) {
            return std::to_string(kind >= from ? v : 0);
        };
        s += std::string(i ? ", " : "") + "{\"attribute\": " + std::to_string(t.attribute) +
             ", \"tile\": " + std::to_string(t.tile) + ", \"new_flags\": " + stored(t.new_flags, 6) +
             ", \"vertices\": [";
        for (std::size_t v = 0; v < 4; ++v) {
            const auto& c = t.vertices[v];
            s += std::string(v ? ", " : "") + "[" + std::to_string(c.xcoord) + ", " +
                 std::to_string(c.xpixel) + ", " + std::to_string(c.ycoord) + ", " +
                 std::to_string(c.ypixel) + "]";
        }
        s += "], \"base_u\": " + stored(t.base_u, 6) + ", \"base_v\": " + stored(t.base_v, 6) +
             ", \"width\": " + stored(t.width, 6) + ", \"height\": " + stored(t.height, 6) +
             ", \"trc_extra\": " + (kind == 7 ? std::to_string(t.trc_extra) : "0") + "}";
    }
    const std::size_t samples = kind <= 2 || kind >= 6 ? d.samples.size() : 0;
    s += "], \"samples_size\": " + std::to_string(samples) + ", \"page_crc32\": {";
    std::string sep;
    if (kind <= 5) {
        s += "\"8\": " + CrcList(d.pages8, 65536);
        sep = ", ";
    }
    if (kind >= 3)
        s += sep + "\"16\": " + CrcList(d.pages16, 131072);
    if (kind >= 6)
        s += ", \"32\": " + CrcList(d.pages32, 262144);
    return s + "}}\n";
}

TEST_F(CliTest, InfoGivesEveryKeyAndValue) {
    for (int kind = 1; kind <= 7; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(kind));
        const std::string name = fs::path(desc.FileName()).filename().string();
        const CliRun r = Cli("info " + Write("info" + name, pw::fixtures::BuildLevel(desc)));
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_EQ(r.out, ExpectedInfo(desc));
    }
}

// Kinds 3 to 7 are read up to their pages only; what was not read is left out rather than shown as 0.
TEST_F(CliTest, InfoTexturesOnlyGivesOnlyWhatItRead) {
    for (int kind = 1; kind <= 7; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(kind));
        const std::string name = fs::path(desc.FileName()).filename().string();
        const CliRun r = Cli("info --textures-only " + Write("info" + name, pw::fixtures::BuildLevel(desc)));
        ASSERT_EQ(r.exit_code, 0) << r.err;
        std::string expected = ExpectedInfo(desc);
        if (kind >= 3) {
            const std::size_t rooms = expected.find(", \"num_rooms\"");
            expected.erase(rooms, expected.find(", \"page_crc32\"") - rooms);
        }
        EXPECT_EQ(r.out, expected);
    }
}

TEST_F(CliTest, ResaveWritesEveryKindBackByteForByte) {
    for (int kind = 1; kind <= 7; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(kind));
        const std::string name = fs::path(desc.FileName()).filename().string();
        const Bytes original = pw::fixtures::BuildLevel(desc);
        const std::string in = Write("in" + name, original);
        const std::string out = (dir_ / ("out" + name)).string();
        const CliRun r = Cli("resave " + in + " " + out);
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_TRUE(r.err.empty()) << r.err;
        EXPECT_TRUE(ReadFile(out) == original);
    }
}

TEST_F(CliTest, ResaveUnderAnUnusualExtensionWarns) {
    const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(1));
    const std::string in = Write("in.phd", pw::fixtures::BuildLevel(desc));
    CliRun r = Cli("resave " + in + " " + (dir_ / "out.tr2").string());
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_NE(r.err.find("warning"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("kind 1"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(".phd"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    EXPECT_TRUE(ReadFile((dir_ / "out.tr2").string()) == pw::fixtures::BuildLevel(desc));
    // The mark of kinds 2 and 4 is in the name, so their family's extension is usual too.
    r = Cli("resave " + in + " " + (dir_ / "out.TUB.phd").string());
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST_F(CliTest, TrcLevelUnderATr4NameIsRefused) {
    const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(7));
    const std::string out = (dir_ / "out.tr4").string();
    const CliRun r = Cli("resave " + Write("in.trc", pw::fixtures::BuildLevel(desc)) + " " + out);
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_NE(r.err.find(".trc"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliTest, ExitCodesAndMessagesForFilesThatCannotBeRead) {
    const std::string out = (dir_ / "out.phd").string();

    CliRun r = Cli("resave " + (dir_ / "missing.phd").string() + " " + out);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("missing.phd"), std::string::npos);

    r = Cli("resave " + Write("text.phd", Bytes{'h', 'e', 'l', 'l', 'o', '\n'}) + " " + out);
    EXPECT_EQ(r.exit_code, 2);

    auto truncated = pw::fixtures::Finish(pw::fixtures::MakeLevel(1));
    truncated.truncate_at = 4 + 4 + 65536; // inside the pages
    r = Cli("info " + Write("short.phd", pw::fixtures::BuildLevel(truncated)));
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_TRUE(r.out.empty());
    // The one error line names the file, the section and the offset where reading stopped.
    EXPECT_NE(r.err.find("short.phd: texture pages: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("(offset 8 in the file)"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);

    fs::create_symlink(dir_ / "loop", dir_ / "loop");
    r = Cli("info " + (dir_ / "loop" / "level.phd").string());
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_NE(r.err.find("level.phd"), std::string::npos) << r.err;

    auto corrupt = pw::fixtures::Finish(pw::fixtures::MakeLevel(6));
    corrupt.corrupt_block = 1;
    r = Cli("resave " + Write("corrupt.tr4", pw::fixtures::BuildLevel(corrupt)) + " " + out);
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_NE(r.err.find("corrupt.tr4"), std::string::npos);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);

    EXPECT_FALSE(fs::exists(out)) << "no output file may be created when reading fails";
}

// Pipes are refused at once whether they are read or written, through a link or not, and stay pipes.
TEST_F(CliTest, PipesAreRefusedWithoutWaiting) {
    const std::string level = Write("level.tr4", pw::fixtures::BuildLevel(pw::fixtures::MakeLevel(6)));
    const std::string pipe = (dir_ / "pipe.tr4").string();
    const std::string picture = (dir_ / "pipe.png").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(picture.c_str(), 0600), 0);
    fs::create_symlink("pipe.png", dir_ / "link.png");
    const std::string out = (dir_ / "out.tr4").string();
    for (const std::string& args :
         {"info " + pipe, "resave " + pipe + " " + out, "export " + pipe + " " + (dir_ / "x.png").string(),
          "import-page " + pipe + " 1 " + picture + " " + out, "export " + level + " " + picture,
          "export " + level + " " + (dir_ / "link.png").string(), "resave " + level + " " + pipe}) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.exit_code, 3) << args;
        EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << args << ": " << r.err;
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_TRUE(fs::is_fifo(picture));
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliTest, FailedWriteLeavesNoFileAndExitsThree) {
    const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(1));
    const std::string in = Write("in.phd", pw::fixtures::BuildLevel(desc));
    const std::string blocker = Write("plainfile", Bytes{1});
    const CliRun r = Cli("resave " + in + " " + blocker + "/out.phd");
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_NE(r.err.find("out.phd"), std::string::npos);
}

// The message of a write that fails names the file once.
TEST_F(CliTest, AFailedImportNamesTheFileItCouldNotWriteOnce) {
    const std::string level = Write("level.phd", pw::fixtures::BuildLevel(pw::fixtures::MakeLevel(1)));
    const fs::path folder = dir_ / "pages";
    ASSERT_EQ(Cli("export-pages " + level + " " + folder.string()).exit_code, 0);
    const std::string out = Write("plainfile", Bytes{1}) + "/out.phd";
    const CliRun r = Cli("import-pages " + level + " " + folder.string() + " " + out);
    EXPECT_EQ(r.exit_code, 3);
    const std::size_t first = r.err.find("out.phd");
    ASSERT_NE(first, std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("out.phd", first + 1), std::string::npos) << r.err;
}

TEST_F(CliTest, SavingRoomsOfAnotherKindAsTrcIsRefused) {
    const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(6));
    const std::string in = Write("in.tr4", pw::fixtures::BuildLevel(desc));
    const std::string out = (dir_ / "out.trc").string();
    const CliRun r = Cli("resave " + in + " " + out);
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_NE(r.err.find(".trc"), std::string::npos);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliTest, HelpAndUsage) {
    CliRun r = Cli("--help");
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_NE(r.out.find("resave IN OUT"), std::string::npos);
    EXPECT_NE(r.out.find("chooses only between the two layouts"), std::string::npos);
    EXPECT_NE(r.out.find("--textures-only reads"), std::string::npos);
    EXPECT_NE(r.out.find("export-pages [--depth 32] LEVEL DIR"), std::string::npos);
    EXPECT_NE(r.out.find("import-pages [--dither] LEVEL DIR OUT"), std::string::npos);
    for (const char* wrong : {"", "frobnicate", "info", "resave onlyone", "info --bogus x.phd"}) {
        SCOPED_TRACE(wrong);
        r = Cli(wrong);
        EXPECT_EQ(r.exit_code, 64);
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
}

// Every command reads its arguments alike: an unknown or repeated option, a value the option does not
// take and an argument too many are named, a missing one is told; each exits 64 and writes nothing.
TEST_F(CliTest, WrongArgumentsAreNamedAndWriteNothing) {
    const std::string level = Write("level.tr4", pw::fixtures::BuildLevel(pw::fixtures::MakeLevel(6)));
    const std::string out = (dir_ / "out.png").string();
    const std::string saved = (dir_ / "out.tr4").string();
    for (const auto& [args, said] : std::vector<std::pair<std::string, std::string>>{
             {"export --bogus " + level + " " + out, "unexpected argument: --bogus"},
             {"export " + level + " " + out + " --depth", "export needs [--depth 32] LEVEL OUT"},
             {"export --depth 24 " + level + " " + out, "unexpected argument: 24"},
             {"export --depth 32 --depth 32 " + level + " " + out, "unexpected argument: --depth"},
             {"import-pages --dither " + level + " " + dir_.string() + " " + saved + " --dither",
              "unexpected argument: --dither"},
             {"clean " + level + " " + saved + " extra", "unexpected argument: extra"},
             {"compact " + level + " -o " + saved, "unexpected argument: -o"},
             {"resave " + level, "resave needs IN and OUT"}}) {
        SCOPED_TRACE(args);
        const CliRun r = Cli(args);
        EXPECT_EQ(r.exit_code, 64);
        EXPECT_EQ(r.err.rfind("pagewright-cli: " + said + "\nusage: ", 0), 0u) << r.err;
    }
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(saved));
}

// What is wrong with arguments that were read is said in one line, naming the value or the level.
TEST_F(CliTest, RefusedRequestsSayWhatIsWrong) {
    const std::string level = Write("level.phd", pw::fixtures::BuildLevel(pw::fixtures::MakeLevel(1)));
    auto no_pages = pw::fixtures::MakeLevel(1);
    no_pages.num_pages = 0;
    no_pages.pages8.clear();
    const std::string empty = Write("empty.phd", pw::fixtures::BuildLevel(no_pages));
    const std::string out = (dir_ / "out.png").string();
    for (const auto& [args, code, said] : std::vector<std::tuple<std::string, int, std::string>>{
             {"export --depth 32 " + level + " " + out, 64,
              "export --depth 32: " + level + " has no 32-bit pages"},
             {"export " + empty + " " + out, 3, "cannot export " + empty + ": the level has no pages"},
             {"import-page " + level + " 0 " + out + " " + (dir_ / "x.phd").string(), 64,
              "import-page: PAGE counts from 1, not 0"},
             {"import-page " + level + " -1 " + out + " " + (dir_ / "x.phd").string(), 64,
              "import-page: PAGE counts from 1, not -1"}}) {
        SCOPED_TRACE(args);
        const CliRun r = Cli(args);
        EXPECT_EQ(r.exit_code, code);
        EXPECT_EQ(r.err, "pagewright-cli: " + said + "\n");
    }
    EXPECT_FALSE(fs::exists(out));
}

// export-pages writes `<level name>_<N>.png` for every page and leaves other files alone; import-pages
// of the unedited folder gives the level back byte for byte, for every kind and the samples.
TEST_F(CliTest, PageFolderRoundTripIsByteIdentical) {
    std::vector<std::string> levels;
    for (int kind = 1; kind <= 7; ++kind) {
        const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(kind));
        levels.push_back(Write("k" + std::to_string(kind) + fs::path(desc.FileName()).filename().string(),
                               pw::fixtures::BuildLevel(desc)));
    }
    for (const auto& entry : fs::directory_iterator(PW_SAMPLES_DIR))
        if (entry.path().extension() != ".md")
            levels.push_back(entry.path().string());
    for (const std::string& level : levels) {
        SCOPED_TRACE(level);
        const fs::path folder = dir_ / (fs::path(level).filename().string() + ".pages");
        fs::create_directories(folder);
        const std::string other = Write(folder.filename().string() + "/notes.txt", Bytes{'h', 'i'});
        const std::string stem = fs::path(level).stem().string();
        for (const std::string depth : {"", "--depth 32 "}) {
            CliRun r = Cli("export-pages " + depth + level + " " + folder.string());
            if (!depth.empty() && !level.ends_with(".tr4") && !level.ends_with(".trc")) {
                // No 32-bit pages to write: a usage error that says why.
                EXPECT_EQ(r.exit_code, 64);
                EXPECT_NE(r.err.find("has no 32-bit pages"), std::string::npos) << r.err;
                continue;
            }
            ASSERT_EQ(r.exit_code, 0) << r.err;
            std::size_t files = 0;
            for (const auto& f : fs::directory_iterator(folder))
                files += f.path().filename() != "notes.txt";
            std::size_t pages = 0;
            while (fs::exists(folder / (stem + "_" + std::to_string(pages) + ".png")))
                ++pages;
            EXPECT_GT(pages, 0u);
            EXPECT_EQ(files, pages);
            // Ordinary files for other programs: the mode a new file gets under the process's mask.
            const mode_t mask = ::umask(0);
            ::umask(mask);
            EXPECT_EQ(static_cast<mode_t>(fs::status(folder / (stem + "_0.png")).permissions()),
                      0666 & ~mask);
            const std::string out = (dir_ / ("out" + fs::path(level).filename().string())).string();
            r = Cli("import-pages " + level + " " + folder.string() + " " + out);
            ASSERT_EQ(r.exit_code, 0) << r.err;
            EXPECT_TRUE(ReadFile(out) == ReadFile(level));
        }
        EXPECT_TRUE(ReadFile(other) == (Bytes{'h', 'i'}));
    }
}

// A picture that cannot be used, a gap in the numbers or a missing folder: the file is named, exit 3
// (1 for the folder), and OUT is not written. A file for the next number appends a page; past the
// engine's page limit a warning follows.
TEST_F(CliTest, ImportPagesIsAllOrNothing) {
    const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(1));
    const std::string level = Write("level.phd", pw::fixtures::BuildLevel(desc));
    const fs::path folder = dir_ / "pages";
    ASSERT_EQ(Cli("export-pages " + level + " " + folder.string()).exit_code, 0);
    const auto page_file = [&](int n) { return folder / ("level_" + std::to_string(n) + ".png"); };
    const std::string out = (dir_ / "out.phd").string();
    const auto refused = [&](const std::string& named, int code) {
        const CliRun r = Cli("import-pages " + level + " " + folder.string() + " " + out);
        EXPECT_EQ(r.exit_code, code);
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out));
    };
    const Bytes good = ReadFile(page_file(1).string());
    Write("pages/level_1.png", Bytes(good.begin(), good.begin() + 100)); // cut short
    refused("level_1.png", 3);
    Write("pages/level_1.png", Bytes{'B', 'M', 0, 0});
    refused("level_1.png", 3);
    Write("pages/level_1.png", good);
    fs::copy_file(page_file(0), page_file(desc.num_pages + 1));
    refused("level_" + std::to_string(desc.num_pages + 1) + ".png", 3);
    // The page missing is numbered as the page lists number it, from 1; its file from 0.
    refused("would leave page " + std::to_string(desc.num_pages + 1) + " out: there is no ", 3);
    refused("level_" + std::to_string(desc.num_pages) + ".png", 3);
    fs::copy_file(page_file(0), page_file(desc.num_pages));
    for (int n = desc.num_pages + 2; n < 16; ++n)
        fs::copy_file(page_file(0), page_file(n));
    CliRun r = Cli("import-pages " + level + " " + folder.string() + " " + out);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err.find("warning"), std::string::npos) << r.err;
    r = Cli("info " + out);
    EXPECT_NE(r.out.find("\"num_pages\": 16"), std::string::npos) << r.out;
    fs::remove(out);
    fs::copy_file(page_file(0), page_file(16));
    r = Cli("import-pages " + level + " " + folder.string() + " " + out);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.err.find("at most 16"), std::string::npos) << r.err;
    fs::remove(out);
    const CliRun missing = Cli("import-pages " + level + " " + (dir_ / "none").string() + " " + out);
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("folder not found: " + (dir_ / "none").string()), std::string::npos)
        << missing.err;
    EXPECT_FALSE(fs::exists(out));
}

// A picture of the next page whose extension is in capitals is taken; other names that start like a page
// picture's are listed in a warning; what was taken is printed, page by page.
TEST_F(CliTest, ImportPagesSaysWhatItTookAndWhatItLeft) {
    const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(1));
    const std::string level = Write("level.phd", pw::fixtures::BuildLevel(desc));
    const fs::path folder = dir_ / "pages";
    ASSERT_EQ(Cli("export-pages " + level + " " + folder.string()).exit_code, 0);
    const int pages = desc.num_pages;
    fs::rename(folder / "level_0.png", folder / "level_0.PnG");
    fs::copy_file(folder / "level_1.png", folder / ("level_" + std::to_string(pages) + ".PNG"));
    const std::vector<std::string> near_misses = {"level_01.png", "level_+1.png", "level_1.png.png",
                                                  "level_1.png ", "LEVEL_1.png"};
    for (const std::string& name : near_misses)
        fs::copy_file(folder / "level_1.png", folder / name);
    const std::string out = (dir_ / "out.phd").string();
    const CliRun r = Cli("import-pages " + level + " " + folder.string() + " " + out);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string warning = r.err.substr(0, r.err.find('\n')) + ",";
    for (const std::string& name : near_misses)
        EXPECT_NE(warning.find(" " + name + ","), std::string::npos) << name << " in " << r.err;
    EXPECT_NE(r.err.find("level_<N>.png"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("page 1: " + (folder / "level_0.PnG").string() + " (unchanged)\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("page " + std::to_string(pages + 1) + ": " + (folder / "level_").string() +
                         std::to_string(pages) + ".PNG (added)\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), pages + 1) << r.out;
}

// A level renamed after its pages went out finds no picture of its own: an error naming the pattern, and
// OUT is not written.
TEST_F(CliTest, ImportPagesWithoutAPictureOfTheLevelIsAnError) {
    const Bytes bytes = pw::fixtures::BuildLevel(pw::fixtures::Finish(pw::fixtures::MakeLevel(1)));
    const std::string level = Write("level.phd", bytes);
    const fs::path folder = dir_ / "pages";
    ASSERT_EQ(Cli("export-pages " + level + " " + folder.string()).exit_code, 0);
    const std::string renamed = Write("renamed.phd", bytes);
    const std::string out = (dir_ / "out.phd").string();
    const CliRun r = Cli("import-pages " + renamed + " " + folder.string() + " " + out);
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_NE(r.err.find("renamed_<N>.png"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
}

// Pictures of pages past the level's last one, left by an earlier export of a longer level, would be
// appended by the next import: export-pages names them.
TEST_F(CliTest, ExportPagesWarnsOfPicturesPastTheLastPage) {
    const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(1));
    const std::string level = Write("level.phd", pw::fixtures::BuildLevel(desc));
    const fs::path folder = dir_ / "pages";
    ASSERT_EQ(Cli("export-pages " + level + " " + folder.string()).exit_code, 0);
    const std::string past = "level_" + std::to_string(desc.num_pages) + ".png";
    const std::string further = "level_" + std::to_string(desc.num_pages + 1) + ".png";
    fs::copy_file(folder / "level_0.png", folder / past);
    fs::copy_file(folder / "level_0.png", folder / further);
    const CliRun r = Cli("export-pages " + level + " " + folder.string());
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_NE(r.err.find(past + ", " + further), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("level_0.png"), std::string::npos) << r.err;
}

} // namespace

namespace {

// compact prints the counts and writes a level with fewer pages; a level that cannot lose a page is
// written back byte for byte; a missing argument is a usage error.
TEST_F(CliTest, CompactPrintsThePagesAndTheAreasMoved) {
    auto desc = pw::fixtures::MakeLevel(4);
    desc.num_pages = 3;
    desc.pages8 = pw::fixtures::Pattern(3 * 65536, 5);
    desc.pages16 = pw::fixtures::Pattern(3 * 131072, 6);
    desc.sprite_textures.clear();
    desc.object_textures.clear();
    for (int page = 0; page < 3; ++page)
        desc.object_textures.push_back(pw::MakeRectangleTexture(4, page, 0, 0, 63, 63));
    const std::string in = Write("in.trg", pw::fixtures::BuildLevel(desc));
    const std::string out = (dir_ / "out.trg").string();
    CliRun r = Cli("compact " + in + " " + out);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, "{\"pages_before\": 3, \"pages_after\": 1, \"moved\": 2}\n");
    pw::Ttrlevel level;
    ASSERT_EQ(level.LoadLevel(out), pw::Status::done);
    EXPECT_EQ(level.num_pages, 1);

    const std::string again = (dir_ / "again.trg").string();
    r = Cli("compact " + out + " " + again);
    EXPECT_EQ(r.out, "{\"pages_before\": 1, \"pages_after\": 1, \"moved\": 0}\n");
    EXPECT_TRUE(ReadFile(again) == ReadFile(out));
    EXPECT_EQ(Cli("compact " + in).exit_code, 64);
    EXPECT_NE(Cli("--help").out.find("compact LEVEL OUT"), std::string::npos);
}

// The depth option may come anywhere among the arguments, once.
TEST_F(CliTest, ExportPagesTakesTheDepthOptionAfterTheLevel) {
    const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(pw::kind_tr4));
    const std::string level = Write("level.tr4", pw::fixtures::BuildLevel(desc));
    const fs::path folder = dir_ / "pages";
    const CliRun r = Cli("export-pages " + level + " --depth 32 " + folder.string());
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_TRUE(fs::exists(folder / "level_0.png"));
    EXPECT_EQ(Cli("export-pages " + level + " --depth 32 --depth 32 " + folder.string()).exit_code, 64);
}

// The picture import-page takes: one that is not there exits 1, a folder or a damaged picture 3, each
// with a message naming it.
TEST_F(CliTest, ImportPageSaysWhyItsPictureCannotBeTaken) {
    const std::string level = Write("level.tr4", pw::fixtures::BuildLevel(pw::fixtures::MakeLevel(6)));
    const std::string out = (dir_ / "out.tr4").string();
    fs::create_directory(dir_ / "folder.png");
    const std::vector<std::pair<std::string, int>> pictures = {
        {(dir_ / "missing.png").string(), 1},
        {(dir_ / "folder.png").string(), 3},
        {Write("damaged.png", Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0}), 3},
    };
    for (const auto& [picture, code] : pictures) {
        const CliRun r = Cli("import-page " + level + " 1 " + picture + " " + out);
        EXPECT_EQ(r.exit_code, code) << picture;
        EXPECT_NE(r.err.find(picture), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(out));
}

} // namespace
