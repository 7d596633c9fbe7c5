// pagewright-make-samples OUTDIR: writes the sample levels into OUTDIR and checks that each one
// reads back with the same pages, textures and animated set. The output is the same on every run.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "level/layout.h"
#include "level/object_textures.h"
#include "level/trlevel.h"
#include "tools/sample_level.h"

namespace {

using pw::art::SampleLevelPlan;

std::vector<SampleLevelPlan> Samples() {
    using namespace pw::layout;
    return {
        {"sample_tr1.phd", kVersionTr1, 3, 101}, {"sample_tub.tub", kVersionTr1, 2, 202},
        {"sample_tr2.tr2", kVersionTr2, 4, 303}, {"sample_tr3.tr2", kVersionTr3a, 3, 404},
        {"sample_tr4.tr4", kVersionTr4, 4, 505}, {"sample_trc.trc", kVersionTr4, 2, 606},
    };
}

// The object texture fields that files of `kind` store; the others read back as zero, and the vertex
// count as the reader decides it.
std::vector<pw::tobjtexture> StoredFields(std::vector<pw::tobjtexture> textures, std::int32_t kind) {
    for (auto& t : textures) {
        t.three_vertices = pw::FourthVertexIsZero(t);
        if (kind < pw::kind_tr4) {
            t.new_flags = 0;
            t.base_u = t.base_v = t.width = t.height = 0;
        }
        if (kind != pw::kind_trc)
            t.trc_extra = 0;
    }
    return textures;
}

// What must survive the trip through the file: everything the sample builder set from its drawing.
bool SameTextureData(const pw::Ttrlevel& a, const pw::Ttrlevel& b) {
    return a.kind == b.kind && a.version == b.version && a.num_pages == b.num_pages && a.pages8 == b.pages8 &&
           a.pages16 == b.pages16 && a.pages32 == b.pages32 && a.palette == b.palette &&
           StoredFields(a.object_textures, a.kind) == b.object_textures && a.anim_words == b.anim_words &&
           a.num_rooms == b.num_rooms && a.misc_pages32 == b.misc_pages32;
}

bool MakeSample(const SampleLevelPlan& plan, const std::filesystem::path& dir) {
    const std::string path = (dir / plan.file_name).string();
    pw::Ttrlevel level;
    pw::art::BuildSampleLevel(plan, level);
    if (level.SaveLevel(path) != pw::Status::done) {
        std::fprintf(stderr, "%s: not written\n", path.c_str());
        return false;
    }
    pw::Ttrlevel check;
    const pw::Result result = check.LoadLevel(path);
    if (!result || !SameTextureData(level, check)) {
        std::fprintf(stderr, "%s: does not read back as written %s\n", path.c_str(), result.reason.c_str());
        return false;
    }
    std::printf("%s: kind %d, %d pages, %d object textures, %u bytes\n", path.c_str(), check.kind,
                check.num_pages, check.num_object_textures,
                static_cast<unsigned>(std::filesystem::file_size(path)));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pagewright-make-samples OUTDIR\n");
        return 2;
    }
    try {
        const std::filesystem::path dir(argv[1]);
        std::filesystem::create_directories(dir);
        bool ok = true;
        for (const auto& plan : Samples())
            ok = MakeSample(plan, dir) && ok;
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pagewright-make-samples: %s\n", e.what());
        return 1;
    }
}
