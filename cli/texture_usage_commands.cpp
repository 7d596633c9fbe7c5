#include "cli/texture_usage_commands.h"

#include <cstdio>
#include <sstream>

#include "level/animated_sets.h"

namespace pw {
namespace {

template <typename T> void Numbers(std::ostringstream& out, const T& values) {
    out << '[';
    const char* sep = "";
    for (const auto& v : values) {
        out << sep << static_cast<long long>(v);
        sep = ", ";
    }
    out << ']';
}

template <typename T> void Groups(std::ostringstream& out, const std::vector<std::vector<T>>& groups) {
    out << '[';
    const char* sep = "";
    for (const auto& group : groups) {
        out << sep;
        Numbers(out, group);
        sep = ", ";
    }
    out << ']';
}

// A reason as a JSON string.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20)
            continue;
        out += c;
    }
    return out + '"';
}

} // namespace

std::string TextureUsageJson(const TextureUsage& usage) {
    std::ostringstream out;
    out << "{\"object_textures\": [";
    for (std::size_t i = 0; i < usage.object_textures.size(); ++i) {
        const ObjectTextureUse& use = usage.object_textures[i];
        out << (i ? ", " : "") << "{\"index\": " << i << ", \"room_faces\": " << use.room_faces
            << ", \"mesh_faces\": " << use.mesh_faces << ", \"animated_sets\": ";
        Numbers(out, use.animated_sets);
        out << '}';
    }
    out << "], \"sprite_textures\": [";
    for (std::size_t i = 0; i < usage.sprite_textures.size(); ++i) {
        const SpriteTextureUse& use = usage.sprite_textures[i];
        out << (i ? ", " : "") << "{\"index\": " << i << ", \"room_sprites\": " << use.room_sprites
            << ", \"sequences\": ";
        Numbers(out, use.sequences);
        out << '}';
    }
    out << "], \"unused_object_textures\": ";
    Numbers(out, usage.UnusedObjectTextures());
    out << ", \"duplicate_object_textures\": ";
    Groups(out, usage.duplicate_groups);
    out << ", \"dangling_references\": {\"room_faces\": " << usage.dangling.room_faces
        << ", \"mesh_faces\": " << usage.dangling.mesh_faces
        << ", \"animated_sets\": " << usage.dangling.animated_sets << '}';
    if (!usage.damaged_mesh.empty())
        out << ", \"damaged_mesh\": " << Quoted(usage.damaged_mesh);
    out << '}';
    return out.str();
}

std::string TextureCleanupJson(const TextureCleanupPlan& plan) {
    std::ostringstream out;
    out << "{\"object_textures_before\": " << plan.before << ", \"object_textures_after\": " << plan.after
        << ", \"merged\": ";
    Groups(out, plan.merged);
    out << ", \"removed\": ";
    Numbers(out, plan.removed);
    out << '}';
    return out.str();
}

} // namespace pw

int UsageCommand(const std::vector<std::string>& args, const CliServices& cli) {
    const cli::CommandLine line = cli.Parse(args, {.arguments = 1, .needs = "usage needs a LEVEL"});
    if (!line.result)
        return cli::Fail(line.result);
    const std::string& file = line.arguments[0];
    pw::Ttrlevel level;
    if (const int code = cli.load(level, file, false); code != cli::kDone)
        return code;
    const pw::TextureUsage usage = pw::ComputeTextureUsage(level);
    std::printf("%s\n", pw::TextureUsageJson(usage).c_str());
    if (!usage.damaged_mesh.empty())
        std::fprintf(stderr, "pagewright-cli: warning: %s: %s\n", file.c_str(), usage.damaged_mesh.c_str());
    return cli::kDone;
}

int CleanCommand(const std::vector<std::string>& args, const CliServices& cli) {
    const cli::CommandLine line = cli.Parse(args, {.flags = {"--merge-duplicates", "--remove-unused"},
                                                   .arguments = 2,
                                                   .needs = "clean needs LEVEL and OUT"});
    if (!line.result)
        return cli::Fail(line.result);
    const std::string& file = line.arguments[0];
    // With neither option, both.
    const bool merge = line.Has("--merge-duplicates") || line.given.empty();
    const bool remove = line.Has("--remove-unused") || line.given.empty();
    pw::Ttrlevel level;
    if (const int code = cli.load(level, file, false); code != cli::kDone)
        return code;
    pw::AnimatedSets sets = pw::ParseAnimatedSets(level.anim_words);
    const pw::TextureCleanupPlan plan =
        pw::PlanTextureCleanup(level, pw::ComputeTextureUsage(level, sets), merge, remove);
    if (!plan.refused.empty())
        return cli::Fail(cli::kOtherError, "cannot clean " + file + ": " + plan.refused);
    pw::ApplyTextureCleanup(level, sets, pw::FindMeshFaces(level), plan);
    if (const pw::Result saved = level.SaveLevel(line.arguments[1]); !saved)
        return cli::Fail(saved);
    std::printf("%s\n", pw::TextureCleanupJson(plan).c_str());
    return cli::kDone;
}
