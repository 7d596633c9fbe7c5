// The kind 6 levels the benchmarks work on: procedurally drawn pages (see tools/page_art.h), saved
// once into a temporary folder, with the same four blocks inflated and compressed again by zlib.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "level/result.h"

namespace pw::bench {

using Bytes = std::vector<std::uint8_t>;

struct BenchLevel {
    int pages = 0;
    std::filesystem::path file;      // the level as SaveLevel wrote it
    std::filesystem::path target;    // where the SaveLevel benchmark writes
    Bytes image;                     // the bytes of `file`
    std::size_t page_bytes = 0;      // 16-bit and 32-bit page bytes: the data the MB/s figures count
    std::vector<Bytes> raw_blocks;   // the four blocks, inflated by zlib
    std::vector<Bytes> zlib_blocks;  // the same compressed by compress2 at level 9
    std::size_t zlib_file_bytes = 0; // the file's size with zlib's blocks in place of ours
};

// Built on first use and kept for the run; the files are removed when the program ends.
const BenchLevel& GetBenchLevel(int pages);

// Raises std::runtime_error with the reason unless `result` is done: a benchmark on a level that did
// not load, or a save that failed, would measure nothing.
inline void Require(const Result& result) {
    if (!result)
        throw std::runtime_error(result.reason);
}

// Throws std::runtime_error when zlib reports an error.
Bytes ZlibCompress9(const Bytes& raw);
void ZlibUncompress(const Bytes& packed, Bytes& out);

} // namespace pw::bench
