// The exit codes of pagewright-cli, the one way a result becomes one, and the one way a failure is told.
#pragma once

#include <string>

#include "level/result.h"

namespace cli {

enum ExitCode : int { kDone = 0, kNotFound = 1, kNotALevel = 2, kOtherError = 3, kUsage = 64 };

// Nothing under the name 1, not a level 2, a wrong request (an option, a page number, a picture's size)
// 64, any other failure to read or write 3.
inline ExitCode ExitFor(const pw::Result& result) {
    switch (result.status) {
    case pw::Status::done:
        return kDone;
    case pw::Status::no_such_file:
        return kNotFound;
    case pw::Status::not_a_level:
        return kNotALevel;
    case pw::Status::bad_request:
        return kUsage;
    default:
        return kOtherError;
    }
}

// Prints "pagewright-cli: MESSAGE" on the standard error stream and returns `code`.
int Fail(ExitCode code, const std::string& message);
// Prints the reason of a failed result and returns its exit code.
int Fail(const pw::Result& result);

} // namespace cli
