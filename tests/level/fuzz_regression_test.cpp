// Replays every input that made the level fuzz target crash, leak or hang (kept in
// tests/fixtures/fuzz_regressions/ by fuzz/run_fuzz.sh). Each must end in a result, and a level it
// yields must write back into an image that reads again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/level_fuzz_input.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> RegressionInputs() {
    std::vector<fs::path> inputs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(PW_TEST_DATA_DIR) / "fuzz_regressions", ec))
        if (entry.is_regular_file() && entry.path().extension() != ".md")
            inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

std::string TestName(const testing::TestParamInfo<fs::path>& info) {
    std::string name = info.param.filename().string();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

class FuzzRegression : public testing::TestWithParam<fs::path> {};

TEST_P(FuzzRegression, EndsInAResult) {
    std::ifstream in(GetParam(), std::ios::binary);
    ASSERT_TRUE(in) << GetParam();
    const std::vector<std::uint8_t> input((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    int result = -3;
    ASSERT_NO_THROW(result = pw::fuzz::RunLevelInput(input.data(), input.size()));
    EXPECT_NE(result, -2) << "the level it yields does not read back after SaveLevelImage";
    EXPECT_TRUE(result == -1 || (result >= 0 && result <= 2)) << "result " << result;
}

// Hand-made hostile files kept beside the fuzz findings: a zlib bomb whose 32-bit block claims its
// pages and inflates to 64 MiB, and a level of 8192 pages, whose 32-bit size once overflowed. Both are
// invalid files.
TEST(FuzzRegressionFiles, HostileFilesAreInvalid) {
    for (const char* name : {"bomb-claims-its-pages-inflates-64MiB.bin", "overflow-8192-pages.bin"}) {
        SCOPED_TRACE(name);
        std::ifstream in(fs::path(PW_TEST_DATA_DIR) / "fuzz_regressions" / name, std::ios::binary);
        ASSERT_TRUE(in);
        const std::vector<std::uint8_t> input((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        EXPECT_EQ(pw::fuzz::RunLevelInput(input.data(), input.size()), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, FuzzRegression, testing::ValuesIn(RegressionInputs()), TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FuzzRegression);

} // namespace
