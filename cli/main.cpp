// pagewright-cli: reads and writes level files from scripts.
//   info [--textures-only] FILE   prints the level as one JSON object
//   resave IN OUT                 reads IN and writes it as OUT (warns when OUT's extension is unusual)
//   export, import-page           pictures of the pages (cli/picture_commands.h)
//   export-pages, import-pages    one picture file per page, in a folder
//   usage, clean                  which textures the level uses, and freeing the rest
//   compact LEVEL OUT             packs the used art into as few pages as it needs
// Exit codes: 0 done, 1 file not found, 2 not a level of a known kind, 3 any other read or write error.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include <QtGlobal>

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/level_info_json.h"
#include "cli/picture_commands.h"
#include "cli/texture_usage_commands.h"
#include "level/level_file_names.h"
#include "level/safe_write.h"
#include "level/trlevel.h"

#ifndef PW_VERSION
#define PW_VERSION "unknown"
#endif

namespace {

const char* const kUsageText =
    "usage: pagewright-cli info [--textures-only] FILE\n"
    "       pagewright-cli resave IN OUT\n"
    "       pagewright-cli export [--depth 32] LEVEL OUT\n"
    "       pagewright-cli import-page [--dither] LEVEL PAGE IMAGE OUT\n"
    "       pagewright-cli export-pages [--depth 32] LEVEL DIR\n"
    "       pagewright-cli import-pages [--dither] LEVEL DIR OUT\n"
    "       pagewright-cli usage LEVEL\n"
    "       pagewright-cli clean [--merge-duplicates] [--remove-unused] LEVEL OUT\n"
    "       pagewright-cli compact LEVEL OUT\n"
    "       pagewright-cli --help | --version\n";

const char* const kHelpText =
    "pagewright-cli reads and writes TR level files (.phd .tub .tr2 .trg .tr4 .trc).\n\n"
    "  info [--textures-only] FILE  print the level as one JSON object: kind, version, page and\n"
    "                               section counts, animated-texture words, object textures and\n"
    "                               the CRC-32 of every page of every depth the level carries.\n"
    "                               --textures-only reads a .tr2, .trg, .tr4 or .trc level only up\n"
    "                               to its pages, which is quicker, and prints only kind, version,\n"
    "                               num_pages and page_crc32 (.phd and .tub levels are read whole)\n"
    "  resave IN OUT                read IN and write it as OUT. The level's version word decides\n"
    "                               the layout; OUT's name chooses only between the two layouts\n"
    "                               of one version (.tub, .trg or .trc in the name). A warning is\n"
    "                               printed when OUT's extension is not the usual one\n"
    "  export [--depth 32] LEVEL OUT\n"
    "                               write all pages stacked, as the program shows them, to OUT\n"
    "                               (.bmp: 24-bit BMP, .png: PNG); --depth 32: the 32-bit pages of a\n"
    "                               .tr4/.trc level as stored, alpha included, to a .png\n"
    "  import-page [--dither] LEVEL PAGE IMAGE OUT\n"
    "                               write IMAGE (.bmp or .png, 256 wide, at least 256 tall) over page\n"
    "                               PAGE (from 1; one more than the pages appends one) in every depth,\n"
    "                               then write the level as OUT the way the program saves it. Colours\n"
    "                               take the nearest-looking palette entry of 8-bit pages; --dither\n"
    "                               spreads the difference over neighbouring pixels (Floyd-Steinberg)\n"
    "  export-pages [--depth 32] LEVEL DIR\n"
    "                               write each page as an RGBA .png into DIR (made when missing),\n"
    "                               named <level name>_<N>.png with N from 0, replacing files of those\n"
    "                               names only. Colours as the program shows them, alpha 0 where the\n"
    "                               page is transparent; --depth 32: the 32-bit pages of a .tr4/.trc\n"
    "                               level as stored\n"
    "  import-pages [--dither] LEVEL DIR OUT\n"
    "                               read those pictures back and write the level as OUT. A page\n"
    "                               without a file, or whose file is unedited, keeps its bytes; only\n"
    "                               the pixels that differ are written, by the rules of import-page.\n"
    "                               A file for the next page number appends a page (no gaps). A\n"
    "                               picture that is not a 256 x 256 .png, or cannot be read, is\n"
    "                               named (exit 3) and nothing is written\n"
    "  usage LEVEL                  print which object and sprite textures the level uses, as one\n"
    "                               JSON object: \"object_textures\" (per texture: index, room_faces,\n"
    "                               mesh_faces, animated_sets, numbered from 1), \"sprite_textures\"\n"
    "                               (index, room_sprites, sequences: sprite sequence ids),\n"
    "                               \"unused_object_textures\", \"duplicate_object_textures\" (groups of\n"
    "                               equal records, lowest index first) and \"dangling_references\"\n"
    "                               (faces and frames naming a texture past the table). A damaged\n"
    "                               mesh adds \"damaged_mesh\" with the reason, and a warning\n"
    "  clean [--merge-duplicates] [--remove-unused] LEVEL OUT\n"
    "                               merge object textures that are exact copies into the lowest of\n"
    "                               them, and remove those that no face or animated set uses (with\n"
    "                               neither option: both); every face and frame is renumbered to an\n"
    "                               equal record, pages and sprite textures stay. Writes OUT and\n"
    "                               prints {\"object_textures_before\", \"object_textures_after\",\n"
    "                               \"merged\": [[kept, gone, ...], ...], \"removed\": [...]}. A level\n"
    "                               with a damaged mesh is refused with the reason (exit 3, no OUT)\n"
    "  compact LEVEL OUT            pack the areas of the pages (object and sprite textures that\n"
    "                               overlap or touch) into as few pages as they need, moving every\n"
    "                               texture with its pixels, drop the pages left empty at the end\n"
    "                               and write the level as OUT. .tr4/.trc levels pack their room,\n"
    "                               object and bump pages apart; pages with an animated texture and\n"
    "                               bump pages move only whole. Prints {\"pages_before\",\n"
    "                               \"pages_after\", \"moved\"} (moved: the areas that moved)\n\n"
    "Exit codes: 0 done, 1 file not found, 2 not a level of a known kind (or a damaged file),\n"
    "            3 any other read or write error, 64 wrong arguments (a page number or picture\n"
    "            size out of range included; nothing is written then).\n";

// Runs LoadLevel and turns its outcome into an exit code (kDone when the level was read).
int Load(pw::Ttrlevel& level, const std::string& file, bool textures_only) {
    pw::Result result = level.LoadLevel(file, textures_only);
    if (result == pw::Status::no_such_file)
        result.reason = "file not found: " + file;
    else if (result == pw::Status::not_a_level)
        result.reason = "not a valid level: " + file + ": " + result.reason;
    return result ? cli::kDone : cli::Fail(result); // any other reason names the file already
}

int Info(const std::vector<std::string>& args) {
    const cli::CommandLine line = cli::ParseCommandLine(
        args, {.flags = {"--textures-only"}, .arguments = 1, .needs = "info needs a FILE"}, kUsageText);
    if (!line.result)
        return cli::Fail(line.result);
    const bool textures_only = line.Has("--textures-only");
    pw::Ttrlevel level;
    if (const int code = Load(level, line.arguments[0], textures_only); code != cli::kDone)
        return code;
    std::printf("%s\n", pw::LevelInfoJson(level, textures_only).c_str());
    return cli::kDone;
}

void WarnOnUnusualExtension(const std::string& out, std::int32_t kind) {
    if (pw::HasUsualExtension(out, kind))
        return;
    std::fprintf(stderr, "pagewright-cli: warning: %s was written as a kind %d level, usually named *%s\n",
                 out.c_str(), static_cast<int>(kind), pw::UsualExtensions(kind).front().c_str());
}

int Resave(const std::vector<std::string>& args) {
    const cli::CommandLine line =
        cli::ParseCommandLine(args, {.arguments = 2, .needs = "resave needs IN and OUT"}, kUsageText);
    if (!line.result)
        return cli::Fail(line.result);
    const std::string& out = line.arguments[1];
    pw::Ttrlevel level;
    if (const int code = Load(level, line.arguments[0], false); code != cli::kDone)
        return code;
    if (const pw::Result saved = level.SaveLevel(out); !saved)
        return cli::Fail(saved); // names the file already
    WarnOnUnusualExtension(out, level.kind);
    return cli::kDone;
}

int Run(const std::vector<std::string>& args) {
    if (args.empty())
        return cli::Fail(cli::kUsage, std::string("no command given\n") + kUsageText);
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::fputs(kHelpText, stdout);
        std::fputs(kUsageText, stdout);
        return cli::kDone;
    }
    if (args[0] == "--version") {
        std::fputs("pagewright-cli " PW_VERSION "\n", stdout);
        return cli::kDone;
    }
    if (args[0] == "info")
        return Info(rest);
    if (args[0] == "resave")
        return Resave(rest);
    const CliServices services{Load, kUsageText};
    if (args[0] == "export")
        return ExportCommand(rest, services);
    if (args[0] == "import-page")
        return ImportPageCommand(rest, services);
    if (args[0] == "export-pages")
        return ExportPagesCommand(rest, services);
    if (args[0] == "import-pages")
        return ImportPagesCommand(rest, services);
    if (args[0] == "usage")
        return UsageCommand(rest, services);
    if (args[0] == "clean")
        return CleanCommand(rest, services);
    if (args[0] == "compact")
        return CompactCommand(rest, services);
    return cli::Fail(cli::kUsage, "unknown command: " + args[0] + "\n" + kUsageText);
}

// The picture decoders report through Qt's message log; the tool says what failed in one line of its
// own, so their lines are kept out of its output.
void DropLibraryMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(DropLibraryMessages);
    pw::RemoveTemporariesOnSignals(); // where no unnamed file can be made, a killed write leaves nothing
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return Run(args);
    } catch (const std::bad_alloc&) {
        return cli::Fail(cli::kOtherError, "not enough memory to finish the command");
    } catch (const std::exception& e) {
        // Nothing below is meant to raise anything else; should it, a message beats an abort.
        return cli::Fail(cli::kOtherError, e.what());
    }
}
