// pagewright-fuzz-seeds OUTDIR [SAMPLES_DIR]: writes the seed corpus of the level fuzz target. Each
// seed is a name byte (see level_fuzz_input.h) followed by a level image: tiny levels without pages
// of all seven kinds, their textures-only, wrapped, alternative-version and trailing-byte variants,
// two small files of more than 8 MB of pages, and, when SAMPLES_DIR is given, every sample level in it.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz/level_fuzz_input.h"
#include "level/layout.h"
#include "level/zfile.h"
#include "tools/sample_level.h"

namespace {

namespace fs = std::filesystem;
using Image = std::vector<std::uint8_t>;

struct TinyLevel {
    const char* label;
    std::size_t name_index; // into kFuzzNames
    std::uint32_t version;
};

void WriteSeed(const fs::path& dir, const std::string& label, std::uint8_t name_byte, const Image& image) {
    std::ofstream out(dir / (label + ".bin"), std::ios::binary);
    out.put(static_cast<char>(name_byte));
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    if (!out)
        throw std::runtime_error("cannot write seed " + label);
}

// The file SaveLevelImage builds; raises std::runtime_error when it cannot.
Image SavedImage(pw::Ttrlevel& level, const std::string& name) {
    Image image;
    if (const pw::Result result = level.SaveLevelImage(name, image); !result)
        throw std::runtime_error(result.reason);
    return image;
}

Image TinyImage(const TinyLevel& tiny) {
    const std::string name = pw::fuzz::kFuzzNames[tiny.name_index];
    pw::Ttrlevel level;
    pw::art::BuildSampleLevel({name, tiny.version, 0, 7}, level);
    level.misc_pages32.assign(64, 0x40); // keep the third texture block of kinds 6 and 7 small
    level.misc32_size = static_cast<std::int64_t>(level.misc_pages32.size());
    return SavedImage(level, name);
}

void WriteTinySeeds(const fs::path& dir) {
    using namespace pw::layout;
    const std::vector<TinyLevel> tiny = {
        {"tr1", 0, kVersionTr1}, {"tub", 1, kVersionTr1},       {"tr2", 2, kVersionTr2},
        {"trg", 3, kVersionTr2}, {"tr3", 4, kVersionTr3a},      {"tr3b", 4, kVersionTr3b},
        {"tr4", 5, kVersionTr4}, {"tr4alt", 5, kVersionTr4Alt}, {"trc", 6, kVersionTr4},
    };
    for (const auto& t : tiny) {
        const Image image = TinyImage(t);
        WriteSeed(dir, std::string("tiny-") + t.label, pw::fuzz::NameByte(t.name_index, false), image);
        WriteSeed(dir, std::string("tiny-") + t.label + "-textures", pw::fuzz::NameByte(t.name_index, true),
                  image);
        WriteSeed(dir, std::string("tiny-") + t.label + "-wrapped", pw::fuzz::NameByte(t.name_index, false),
                  pw::WrapZlibContainer(image));
        Image tail = image;
        tail.insert(tail.end(), {1, 2, 3, 4, 5, 6});
        WriteSeed(dir, std::string("tiny-") + t.label + "-tail", pw::fuzz::NameByte(t.name_index, false),
                  tail);
    }
}

// Levels of more than 8 MB of pages in a few kilobytes: a kind 6 level of 40 blank pages (its blocks
// deflate a thousandfold) and a "ZLIB"-wrapped kind 1 level of 140 pages.
void WriteBigSeeds(const fs::path& dir) {
    using namespace pw::layout;
    const auto blank_level = [](const std::string& name, std::uint32_t version, int pages) {
        pw::Ttrlevel level;
        pw::art::BuildSampleLevel({name, version, 1, 7}, level);
        level.misc_pages32.assign(64, 0x40);
        level.misc32_size = static_cast<std::int64_t>(level.misc_pages32.size());
        while (level.num_pages < pages)
            level.AddPage();
        return SavedImage(level, name);
    };
    WriteSeed(dir, "big-tr4-40-pages", pw::fuzz::NameByte(5, false),
              blank_level(pw::fuzz::kFuzzNames[5], kVersionTr4, 40));
    WriteSeed(dir, "big-tr1-140-pages-wrapped", pw::fuzz::NameByte(0, false),
              pw::WrapZlibContainer(blank_level(pw::fuzz::kFuzzNames[0], kVersionTr1, 140)));
}

// The name byte for a sample file, by its extension; the version word then selects kinds 3 and 5.
void WriteSampleSeeds(const fs::path& dir, const fs::path& samples) {
    const std::map<std::string, std::size_t> by_extension = {{".phd", 0}, {".tub", 1}, {".tr2", 2},
                                                             {".trg", 3}, {".tr4", 5}, {".trc", 6}};
    for (const auto& entry : fs::directory_iterator(samples)) {
        const auto found = by_extension.find(entry.path().extension().string());
        if (found == by_extension.end())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const Image image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        WriteSeed(dir, "sample-" + entry.path().filename().string(), pw::fuzz::NameByte(found->second, false),
                  image);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: pagewright-fuzz-seeds OUTDIR [SAMPLES_DIR]\n");
        return 2;
    }
    try {
        const fs::path dir(argv[1]);
        fs::create_directories(dir);
        WriteTinySeeds(dir);
        WriteBigSeeds(dir);
        if (argc == 3)
            WriteSampleSeeds(dir, argv[2]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pagewright-fuzz-seeds: %s\n", e.what());
        return 1;
    }
}
