// export [--depth 32] LEVEL OUT: every page of the level stacked top to bottom in one picture.
#include <cstring>

#include "cli/picture_commands.h"
#include "cli/picture_files.h"
#include "level/page_access.h"
#include "level/page_export.h"

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

// The picture of all pages as the main window shows and exports them, 24 bits per pixel.
QImage Picture24(const pw::Ttrlevel& level) {
    const std::vector<std::uint8_t> rgb = pw::ExportPixelsRgb(level);
    QImage picture(256, level.num_pages * 256, QImage::Format_RGB888);
    if (picture.isNull() || rgb.empty())
        return {};
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(picture.scanLine(y), rgb.data() + static_cast<std::size_t>(y) * 768, 768);
    return picture;
}

// The 32-bit pages as stored, alpha included.
QImage Picture32(const pw::Ttrlevel& level) {
    const std::vector<std::uint8_t> bgra = pw::ExportPixels32(level);
    QImage picture(256, level.num_pages * 256, QImage::Format_ARGB32);
    if (picture.isNull() || bgra.empty())
        return {};
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const std::uint8_t* in = bgra.data() + static_cast<std::size_t>(y) * 1024;
        for (int x = 0; x < 256; ++x, in += 4)
            line[x] = qRgba(in[2], in[1], in[0], in[3]);
    }
    return picture;
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
    std::vector<std::uint8_t> bytes;
    if (cli::EndsWith(parsed.out, ".png")) {
        QImage picture = parsed.depth32 ? Picture32(level) : Picture24(level);
        if (picture.isNull())
            return cli.fail(cli::kOtherError, "not enough memory for the picture of " + parsed.level);
        picture.setDotsPerMeterX(pw::kExportDotsPerMeter);
        picture.setDotsPerMeterY(pw::kExportDotsPerMeter);
        if (const std::string error = cli::EncodePng(picture, bytes); !error.empty())
            return cli.fail(cli::kOtherError, "cannot encode " + parsed.out + ": " + error);
    } else {
        bytes = pw::ExportBmp(level);
    }
    if (const std::string error = cli::WriteFileBytes(bytes, parsed.out); !error.empty())
        return cli.fail(cli::kOtherError, "cannot write " + parsed.out + ": " + error);
    return cli::kDone;
}
