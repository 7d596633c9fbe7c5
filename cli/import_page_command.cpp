// import-page [--dither] LEVEL PAGE IMAGE OUT: a picture written over one page of the level in every
// depth the level carries, by the rules the main window's whole-page copy follows (--dither: with error
// diffusion into 8-bit pages); OUT is then written the way File > Save writes a level.
#include <charconv>
#include <cstdio>

#include <QFile>

#include "cli/picture_commands.h"
#include "cli/quiet_stderr.h"
#include "level/animated_sets.h"
#include "level/layout.h"
#include "level/page_writing.h"
#include "level/save_preparation.h"
#include "pictures/picture_bridge.h"

namespace {

using pw::layout::kPageSide;

bool ParsePage(const std::string& text, int& page) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, page);
    return error == std::errc() && stop == end && page >= 1;
}

SourcePicture ReadQuietly(const std::string& file) {
    const QuietStderr quiet;
    return ReadSourcePicture(QFile::decodeName(file.c_str()), kPageSide); // only the first page is written
}

std::string WrongSize(const std::string& file, const QSize& size) {
    return "import-page: " + file + " is " + std::to_string(size.width()) + " x " +
           std::to_string(size.height()) + "; it must be 256 wide and at least 256 tall";
}

int Write(pw::Ttrlevel& level, const std::string& out) {
    if (const pw::Result saved = pw::SaveLevelAsEdited(level, pw::ParseAnimatedSets(level.anim_words), out);
        !saved)
        return cli::Fail(saved); // names the file already
    return cli::kDone;
}

} // namespace

int ImportPageCommand(const std::vector<std::string>& given, const CliServices& cli) {
    const cli::CommandLine line =
        cli.Parse(given, {.flags = {"--dither"},
                          .arguments = 4,
                          .needs = "import-page needs [--dither] LEVEL PAGE IMAGE OUT"});
    if (!line.result)
        return cli::Fail(line.result);
    const std::vector<std::string>& args = line.arguments;
    int page = 0;
    const std::string& image_file = args[2];
    if (!ParsePage(args[1], page))
        return cli::Fail(cli::kUsage, "import-page: PAGE counts from 1, not " + args[1]);
    pw::Ttrlevel level;
    if (const int code = cli.load(level, args[0], false); code != cli::kDone)
        return code;
    if (page > level.num_pages + 1)
        return cli::Fail(cli::kUsage, "import-page: " + args[0] + " has " + std::to_string(level.num_pages) +
                                          " pages; PAGE can be 1 to " + std::to_string(level.num_pages + 1));
    // A picture of the wrong size is refused before it is decoded, however large it claims to be.
    const SourcePicture picture = ReadQuietly(image_file);
    if (picture.result == pw::Status::wrong_size) // the picture named is the wrong one: a usage error
        return cli::Fail({pw::Status::bad_request, WrongSize(image_file, picture.size)});
    if (picture.result == pw::Status::no_such_file)
        return cli::Fail({pw::Status::no_such_file, "file not found: " + image_file});
    if (!picture.result)
        return cli::Fail(picture.result);

    if (page == level.num_pages + 1 && !level.AddPage()) // a page number past the most a level holds
        return cli::Fail(cli::kUsage, "import-page: cannot add a page to " + args[0] + ": it has " +
                                          std::to_string(level.num_pages) +
                                          " pages, the most a level may hold");
    const bool has_alpha = picture.has_alpha;
    const std::vector<std::uint32_t> colours = PictureColours(picture.image, 0, 0, kPageSide, has_alpha);
    pw::PixelSource source;
    source.width = kPageSide;
    source.height = kPageSide;
    source.argb = colours;
    source.has_alpha = has_alpha;
    source.dither = line.Has("--dither");
    pw::WritePagePixels(level, page - 1, 0, 0, source, nullptr);
    return Write(level, args[3]);
}
