// export [--depth 32] LEVEL OUT: every page of the level stacked top to bottom in one picture.
#include <exception>
#include <new>

#include "cli/picture_commands.h"
#include "cli/picture_files.h"
#include "pictures/picture_export.h"
#include "level/page_access.h"

namespace {

struct ExportArgs {
    bool depth32 = false;
    std::string level;
    std::string out;
};

bool ParseExportArgs(const std::vector<std::string>& args, ExportArgs& parsed) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--depth" && i + 1 < args.size() && !parsed.depth32 && args[i + 1] == "32") {
            parsed.depth32 = true;
            ++i;
        } else if (!args[i].empty() && args[i][0] != '-') {
            files.push_back(args[i]);
        } else {
            return false;
        }
    }
    if (files.size() != 2)
        return false;
    parsed.level = files[0];
    parsed.out = files[1];
    return true;
}

} // namespace

int ExportCommand(const std::vector<std::string>& args, const CliServices& cli) {
    ExportArgs parsed;
    if (!ParseExportArgs(args, parsed))
        return cli.fail(cli::kUsage, "export needs [--depth 32] LEVEL OUT\n" + cli.usage);
    if (!cli::IsPictureName(parsed.out))
        return cli.fail(cli::kUsage, "export writes a .bmp or .png file, not " + parsed.out);
    if (parsed.depth32 && !cli::EndsWith(parsed.out, ".png"))
        return cli.fail(cli::kUsage, "export --depth 32 writes a .png file, not " + parsed.out);
    pw::Ttrlevel level;
    if (const int code = cli.load(level, parsed.level, true); code != cli::kDone)
        return code;
    if (parsed.depth32 && !pw::CarriesDepth(level.kind, pw::PageDepth::bits32))
        return cli.fail(cli::kUsage, "export --depth 32: " + parsed.level + " has no 32-bit pages");
    if (level.num_pages <= 0)
        return cli.fail(cli::kOtherError, "cannot export " + parsed.level + ": the level has no pages");
    try {
        if (const pw::Result written = WritePictureExport(
                level, parsed.out, parsed.depth32 ? ExportDepth::stored32 : ExportDepth::shown24);
            !written)
            return cli.fail(cli::kOtherError, written.reason);
    } catch (const std::bad_alloc&) {
        return cli.fail(cli::kOtherError, "not enough memory to write " + parsed.out);
    } catch (const std::exception& e) {
        return cli.fail(cli::kOtherError, e.what());
    }
    return cli::kDone;
}
