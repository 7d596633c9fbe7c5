// export-pages [--depth 32] LEVEL DIR: one RGBA .png per page, `<level name>_<N>.png`, N from 0.
// import-pages [--dither] LEVEL DIR OUT: those pictures back into the level, all or nothing; pages whose
// picture is unedited keep their bytes, a picture for the next page number appends a page.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <new>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "cli/picture_commands.h"
#include "cli/picture_files.h"
#include "cli/quiet_stderr.h"
#include "level/animated_sets.h"
#include "level/engine_limits.h"
#include "level/page_access.h"
#include "level/save_preparation.h"
#include "pictures/page_folder.h"

namespace {

QString Decoded(const std::string& name) {
    return QFile::decodeName(name.c_str());
}

void WarnPastEngineLimit(const pw::Ttrlevel& level, const std::string& out) {
    const int limit = pw::EnginePageLimit(level.kind);
    if (limit > 0 && level.num_pages > limit)
        std::fprintf(stderr, "pagewright-cli: warning: %s has %d pages; the game's engine loads at most %d\n",
                     out.c_str(), level.num_pages, limit);
}

void WarnNearMisses(const PageFolderImport& imported, const std::string& level) {
    if (imported.near_misses.isEmpty())
        return;
    std::fprintf(stderr, "pagewright-cli: warning: not taken, as not named %s: %s\n",
                 PagePicturePattern(Decoded(level)).toStdString().c_str(),
                 imported.near_misses.join(QStringLiteral(", ")).toStdString().c_str());
}

// One line a picture: the page it went to (from 1) and what became of the page.
void PrintPagesTaken(const PageFolderImport& imported, int pages_before) {
    for (const auto& [page, path] : imported.files) {
        const bool changed = std::ranges::find(imported.changed, page) != imported.changed.end();
        const char* what = page >= pages_before ? "added" : changed ? "changed" : "unchanged";
        std::printf("page %d: %s (%s)\n", page + 1, QDir::toNativeSeparators(path).toStdString().c_str(),
                    what);
    }
}

} // namespace

int ExportPagesCommand(const std::vector<std::string>& given, const CliServices& cli) {
    std::vector<std::string> args = given;
    bool depth32 = false;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--depth" && args[i + 1] == "32" && !depth32) {
            depth32 = true;
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            --i;
        }
    }
    if (args.size() != 2 || args[0].empty() || args[0][0] == '-' || args[1].empty() || args[1][0] == '-')
        return cli.fail(cli::kUsage, "export-pages needs [--depth 32] LEVEL DIR\n" + cli.usage);
    pw::Ttrlevel level;
    if (const int code = cli.load(level, args[0], true); code != cli::kDone)
        return code;
    if (depth32 && !pw::CarriesDepth(level.kind, pw::PageDepth::bits32))
        return cli.fail(cli::kUsage, "export-pages --depth 32: " + args[0] + " has no 32-bit pages");
    try {
        if (const pw::Result written =
                WritePageFolder(level, Decoded(args[0]), Decoded(args[1]),
                                depth32 ? pw::PagePictureDepth::stored32 : pw::PagePictureDepth::shown);
            !written)
            return cli.fail(cli::kOtherError, written.reason);
        if (const QStringList past =
                PicturesPastLastPage(Decoded(args[1]), Decoded(args[0]), level.num_pages);
            !past.isEmpty())
            std::fprintf(
                stderr,
                "pagewright-cli: warning: %s also holds pictures past the level's %d pages, which an "
                "import would append: %s\n",
                args[1].c_str(), level.num_pages, past.join(QStringLiteral(", ")).toStdString().c_str());
    } catch (const std::bad_alloc&) {
        return cli.fail(cli::kOtherError, "not enough memory to write the pages of " + args[0]);
    } catch (const std::exception& e) {
        return cli.fail(cli::kOtherError, e.what());
    }
    return cli::kDone;
}

int ImportPagesCommand(const std::vector<std::string>& given, const CliServices& cli) {
    std::vector<std::string> args = given;
    const auto dither_flags = std::erase(args, std::string("--dither"));
    if (args.size() != 3 || dither_flags > 1)
        return cli.fail(cli::kUsage, "import-pages needs [--dither] LEVEL DIR OUT\n" + cli.usage);
    const QString folder = Decoded(args[1]);
    pw::Ttrlevel level;
    if (const int code = cli.load(level, args[0], false); code != cli::kDone)
        return code;
    if (!QFileInfo(folder).isDir())
        return cli.fail(cli::kNotFound, "folder not found: " + args[1]);
    const PageFolderSteps steps = DirectSteps(level, dither_flags == 1);
    try {
        const int pages_before = level.num_pages;
        const PageFolderListing listing = ListPageFolder(folder, Decoded(args[0]), level.num_pages);
        PageFolderImport imported;
        {
            const QuietStderr quiet; // the decoder's own messages; the reason is given below
            imported = ImportPageFolder(level, listing, steps);
        }
        WarnNearMisses(imported, args[0]);
        if (!imported.result)
            return cli.fail(cli::kOtherError,
                            "import-pages: " + imported.result.reason + "; nothing was written");
        if (const pw::Result saved =
                pw::SaveLevelAsEdited(level, pw::ParseAnimatedSets(level.anim_words), args[2]);
            !saved)
            return cli.fail(cli::kOtherError, saved.reason); // names the file already
        PrintPagesTaken(imported, pages_before);
    } catch (const std::bad_alloc&) {
        return cli.fail(cli::kOtherError, "not enough memory to import the pages into " + args[0]);
    } catch (const std::exception& e) {
        return cli.fail(cli::kOtherError, std::string("cannot write ") + args[2] + ": " + e.what());
    }
    WarnPastEngineLimit(level, args[2]);
    return cli::kDone;
}
