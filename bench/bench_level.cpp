#include "bench/bench_level.h"

#include <zlib.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "bench/kind6_blocks.h"
#include "level/layout.h"
#include "level/trlevel.h"
#include "tools/sample_level.h"

namespace pw::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kBenchSeed = 2024;

// A folder of its own for the run, removed with everything in it at exit.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "pagewright-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

const fs::path& Scratch() {
    static ScratchFolder folder;
    return folder.path();
}

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::unique_ptr<BenchLevel> MakeBenchLevel(int pages) {
    auto level = std::make_unique<BenchLevel>();
    level->pages = pages;
    level->file = Scratch() / ("bench" + std::to_string(pages) + ".tr4");
    level->target = Scratch() / ("saved" + std::to_string(pages) + ".tr4");
    {
        Ttrlevel record;
        art::BuildSampleLevel({level->file.string(), layout::kVersionTr4, pages, kBenchSeed}, record);
        level->page_bytes = record.pages16.size() + record.pages32.size();
        if (record.SaveLevel(level->file.string()) != pw::Status::done)
            throw std::runtime_error("SaveLevel refused the benchmark level");
    }
    level->image = ReadFile(level->file);
    const Kind6Layout layout = SplitKind6(level->image);
    level->zlib_file_bytes = layout.head_bytes + layout.trailing_bytes;
    for (const PackedBlock& block : layout.blocks) {
        Bytes raw(block.unpacked_size);
        ZlibUncompress(Bytes(block.packed.begin(), block.packed.end()), raw);
        level->zlib_blocks.push_back(ZlibCompress9(raw));
        level->zlib_file_bytes += 8 + level->zlib_blocks.back().size();
        level->raw_blocks.push_back(std::move(raw));
    }
    return level;
}

} // namespace

Bytes ZlibCompress9(const Bytes& raw) {
    Bytes packed(compressBound(raw.size()));
    uLongf size = packed.size();
    if (compress2(packed.data(), &size, raw.data(), raw.size(), 9) != Z_OK)
        throw std::runtime_error("compress2 failed");
    packed.resize(size);
    return packed;
}

// `out` is sized to the expected length beforehand; the call checks that the stream fills it exactly.
void ZlibUncompress(const Bytes& packed, Bytes& out) {
    uLongf size = out.size();
    if (uncompress(out.data(), &size, packed.data(), packed.size()) != Z_OK || size != out.size())
        throw std::runtime_error("uncompress failed");
}

const BenchLevel& GetBenchLevel(int pages) {
    static std::map<int, std::unique_ptr<BenchLevel>> levels;
    auto& level = levels[pages];
    if (!level)
        level = MakeBenchLevel(pages);
    return *level;
}

} // namespace pw::bench
