// import-page LEVEL PAGE IMAGE OUT: a picture written over one page of the level in every depth the
// level carries, by the rules the main window's whole-page copy follows; OUT is then written the way
// File > Save writes a level.
#include <charconv>
#include <cstdio>
#include <exception>
#include <functional>

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include "cli/picture_commands.h"
#include "cli/picture_files.h"
#include "document/picture_checks.h"
#include "level/animated_sets.h"
#include "level/page_writing.h"
#include "level/save_preparation.h"

namespace {

constexpr int kSide = 256;

bool ParsePage(const std::string& text, int& page) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, page);
    return error == std::errc() && stop == end && page >= 1;
}

// The first 256 rows of the picture as 0xAARRGGBB, alpha kept only when the picture has it.
std::vector<std::uint32_t> FirstPage(const QImage& image, bool has_alpha) {
    const QImage page = image.copy(0, 0, kSide, kSide)
                            .convertToFormat(has_alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(kSide) * kSide);
    for (int y = 0; y < kSide; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(page.constScanLine(y));
        std::copy(line, line + kSide, colours.begin() + static_cast<std::ptrdiff_t>(y) * kSide);
    }
    return colours;
}

// libpng, inside Qt's decoder, prints its errors straight to stderr; the tool gives its own one line, so
// the decoder's stderr goes nowhere while it runs.
class QuietStderr {
public:
    QuietStderr() : saved_(::dup(STDERR_FILENO)) {
        std::fflush(stderr);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            ::dup2(null, STDERR_FILENO);
            ::close(null);
        }
    }
    ~QuietStderr() {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_;
};

PictureReading ReadQuietly(const std::string& file, const std::function<bool(QSize)>& fits) {
    const QuietStderr quiet;
    return ReadPictureFile(QFile::decodeName(file.c_str()), fits);
}

int WrongSize(const std::string& file, const QSize& size, const CliServices& cli) {
    return cli.fail(cli::kUsage, "import-page: " + file + " is " + std::to_string(size.width()) + " x " +
                                     std::to_string(size.height()) +
                                     "; it must be 256 wide and at least 256 tall");
}

int Write(pw::Ttrlevel& level, const std::string& out, const CliServices& cli) {
    try {
        pw::SaveLevelAsEdited(level, pw::ParseAnimatedSets(level.anim_words), out);
    } catch (const std::exception& e) {
        return cli.fail(cli::kOtherError, std::string("cannot write ") + out + ": " + e.what());
    }
    return cli::kDone;
}

} // namespace

int ImportPageCommand(const std::vector<std::string>& args, const CliServices& cli) {
    int page = 0;
    if (args.size() != 4)
        return cli.fail(cli::kUsage, "import-page needs LEVEL PAGE IMAGE OUT\n" + cli.usage);
    const std::string& image_file = args[2];
    if (!ParsePage(args[1], page))
        return cli.fail(cli::kUsage, "import-page: PAGE counts from 1, not " + args[1]);
    pw::Ttrlevel level;
    if (const int code = cli.load(level, args[0], false); code != cli::kDone)
        return code;
    if (page > level.num_pages + 1)
        return cli.fail(cli::kUsage, "import-page: " + args[0] + " has " + std::to_string(level.num_pages) +
                                         " pages; PAGE can be 1 to " + std::to_string(level.num_pages + 1));
    const auto fits = [](QSize size) { return size.width() == kSide && size.height() >= kSide; };
    // A picture of the wrong size is refused before it is decoded, however large it claims to be.
    const PictureReading reading = ReadQuietly(image_file, fits);
    switch (reading.fault) {
    case PictureReading::Fault::none:
        break;
    case PictureReading::Fault::not_found:
        return cli.fail(cli::kNotFound, "file not found: " + image_file);
    case PictureReading::Fault::wrong_size:
        return WrongSize(image_file, reading.size, cli);
    default:
        return cli.fail(cli::kOtherError, reading.error.toStdString());
    }
    const QImage& image = reading.image;

    if (page == level.num_pages + 1)
        level.AddPage();
    const bool has_alpha = image.hasAlphaChannel();
    const std::vector<std::uint32_t> colours = FirstPage(image, has_alpha);
    pw::PixelSource source;
    source.width = kSide;
    source.height = kSide;
    source.argb = colours;
    source.has_alpha = has_alpha;
    pw::WritePagePixels(level, page - 1, 0, 0, source, nullptr);
    return Write(level, args[3], cli);
}
