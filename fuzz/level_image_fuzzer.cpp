// libFuzzer target: LoadLevelImage on in-memory level images of every kind (see level_fuzz_input.h).
#include <cstdlib>

#include "fuzz/level_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A record the reader accepted but the writer could not store readably is a fault: stop here so
    // that libFuzzer keeps the input.
    if (pw::fuzz::RunLevelInput(data, size) == -2)
        std::abort();
    return 0;
}
