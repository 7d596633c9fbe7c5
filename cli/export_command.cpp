// export [--depth 32] LEVEL OUT: every page of the level stacked top to bottom in one picture.
#include "cli/picture_commands.h"
#include "cli/picture_files.h"
#include "level/page_access.h"
#include "pictures/picture_export.h"

int ExportCommand(const std::vector<std::string>& args, const CliServices& cli) {
    const cli::CommandLine line = cli.Parse(
        args,
        {.options = {{"--depth", {"32"}}}, .arguments = 2, .needs = "export needs [--depth 32] LEVEL OUT"});
    if (!line.result)
        return cli::Fail(line.result);
    const std::string& file = line.arguments[0];
    const std::string& out = line.arguments[1];
    const bool depth32 = line.Has("--depth");
    if (!cli::IsPictureName(out))
        return cli::Fail(cli::kUsage, "export writes a .bmp or .png file, not " + out);
    if (depth32 && !cli::EndsWith(out, ".png"))
        return cli::Fail(cli::kUsage, "export --depth 32 writes a .png file, not " + out);
    pw::Ttrlevel level;
    if (const int code = cli.load(level, file, true); code != cli::kDone)
        return code;
    if (depth32 && !pw::CarriesDepth(level.kind, pw::PageDepth::bits32))
        return cli::Fail(cli::kUsage, "export --depth 32: " + file + " has no 32-bit pages");
    if (level.num_pages <= 0)
        return cli::Fail(cli::kOtherError, "cannot export " + file + ": the level has no pages");
    if (const pw::Result written =
            WritePictureExport(level, out, depth32 ? ExportDepth::stored32 : ExportDepth::shown24);
        !written)
        return cli::Fail(written);
    return cli::kDone;
}
