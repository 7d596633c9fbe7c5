// Runs the pagewright-cli executable on levels laid out by the fixture builder and checks its
// output, its exit codes and the files it leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

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
        const std::string command = std::string(PW_CLI_PATH) + " " + args + " 2>" + err_file;
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

TEST_F(CliTest, InfoReportsEveryKindWithPageChecksumsOfItsDepths) {
    for (int kind = 1; kind <= 7; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(kind));
        const std::string file =
            Write("level" + std::to_string(kind) + fs::path(desc.FileName()).filename().string(),
                  pw::fixtures::BuildLevel(desc));
        const CliRun r = Cli("info " + file);
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_NE(r.out.find("{\"kind\": " + std::to_string(kind) +
                             ", \"version\": " + std::to_string(desc.Version()) +
                             ", \"num_pages\": " + std::to_string(desc.num_pages)),
                  std::string::npos)
            << r.out.substr(0, 200);
        EXPECT_NE(r.out.find("\"num_rooms\": " + std::to_string(desc.rooms.size())), std::string::npos);
        EXPECT_NE(r.out.find("\"num_object_textures\": " + std::to_string(desc.object_textures.size())),
                  std::string::npos);
        EXPECT_EQ(r.out.find("\"8\": ") != std::string::npos, kind <= 5);
        EXPECT_EQ(r.out.find("\"16\": ") != std::string::npos, kind >= 3);
        EXPECT_EQ(r.out.find("\"32\": ") != std::string::npos, kind >= 6);
        if (kind <= 5) {
            EXPECT_NE(r.out.find("\"8\": " + CrcList(desc.pages8, 65536)), std::string::npos);
        }
        if (kind >= 3) {
            EXPECT_NE(r.out.find("\"16\": " + CrcList(desc.pages16, 131072)), std::string::npos);
        }
        if (kind >= 6) {
            EXPECT_NE(r.out.find("\"32\": " + CrcList(desc.pages32, 262144)), std::string::npos);
        }
        EXPECT_EQ(r.out.back(), '\n');
        EXPECT_TRUE(r.err.empty()) << r.err;
    }
}

TEST_F(CliTest, InfoTexturesOnlyStopsBeforeTheRooms) {
    const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(3));
    const std::string file = Write("level.tr2", pw::fixtures::BuildLevel(desc));
    const CliRun r = Cli("info --textures-only " + file);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("\"num_rooms\": 0"), std::string::npos);
    EXPECT_NE(r.out.find("\"16\": " + CrcList(desc.pages16, 131072)), std::string::npos);
}

TEST_F(CliTest, ResaveWritesKindsOneToFiveBackByteForByte) {
    for (int kind = 1; kind <= 5; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(kind));
        const std::string name = fs::path(desc.FileName()).filename().string();
        const Bytes original = pw::fixtures::BuildLevel(desc);
        const std::string in = Write("in" + name, original);
        const std::string out = (dir_ / ("out" + name)).string();
        const CliRun r = Cli("resave " + in + " " + out);
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_TRUE(ReadFile(out) == original);
    }
}

TEST_F(CliTest, ResaveOfCompressedKindsKeepsTheInflatedContent) {
    for (int kind : {6, 7}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(kind));
        const std::string name = fs::path(desc.FileName()).filename().string();
        const Bytes original = pw::fixtures::BuildLevel(desc);
        const std::string out = (dir_ / ("out" + name)).string();
        ASSERT_EQ(Cli("resave " + Write("in" + name, original) + " " + out).exit_code, 0);
        EXPECT_TRUE(pw::fixtures::InflateBlocks(ReadFile(out), kind) ==
                    pw::fixtures::InflateBlocks(original, kind));
    }
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

    auto corrupt = pw::fixtures::Finish(pw::fixtures::MakeLevel(6));
    corrupt.corrupt_block = 1;
    r = Cli("resave " + Write("corrupt.tr4", pw::fixtures::BuildLevel(corrupt)) + " " + out);
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_NE(r.err.find("corrupt.tr4"), std::string::npos);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);

    EXPECT_FALSE(fs::exists(out)) << "no output file may be created when reading fails";
}

TEST_F(CliTest, FailedWriteLeavesNoFileAndExitsThree) {
    const auto desc = pw::fixtures::Finish(pw::fixtures::MakeLevel(1));
    const std::string in = Write("in.phd", pw::fixtures::BuildLevel(desc));
    const std::string blocker = Write("plainfile", Bytes{1});
    const CliRun r = Cli("resave " + in + " " + blocker + "/out.phd");
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_NE(r.err.find("out.phd"), std::string::npos);
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
    for (const char* wrong : {"", "frobnicate", "info", "resave onlyone", "info --bogus x.phd"}) {
        SCOPED_TRACE(wrong);
        r = Cli(wrong);
        EXPECT_EQ(r.exit_code, 64);
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
}

} // namespace
