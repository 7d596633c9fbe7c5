// The exit code of every result, as the tool's help text gives them: 0 done, 1 file not found, 2 not a
// level, 64 a wrong request, 3 any other failure.
#include <gtest/gtest.h>

#include <map>

#include "cli/exit_codes.h"

TEST(ExitFor, EveryStatusHasTheCodeTheHelpGives) {
    const std::map<pw::Status, int> named = {{pw::Status::done, 0},
                                             {pw::Status::no_such_file, 1},
                                             {pw::Status::not_a_level, 2},
                                             {pw::Status::bad_request, 64}};
    for (int s = 0; s <= static_cast<int>(pw::Status::bad_request); ++s) {
        const auto status = static_cast<pw::Status>(s);
        const auto found = named.find(status);
        EXPECT_EQ(cli::ExitFor({status, "reason"}), found == named.end() ? 3 : found->second) << s;
    }
}
