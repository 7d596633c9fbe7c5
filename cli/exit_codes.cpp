#include "cli/exit_codes.h"

#include <cstdio>

namespace cli {

int Fail(ExitCode code, const std::string& message) {
    std::fprintf(stderr, "pagewright-cli: %s\n", message.c_str());
    return code;
}

int Fail(const pw::Result& result) {
    return Fail(ExitFor(result), result.reason);
}

} // namespace cli
