#include "pictures/picture_export.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "level/layout.h"
#include "level/page_export.h"
#include "pictures/bmp_export.h"
#include "pictures/picture_file_writing.h"
#include "pictures/png_stream.h"

namespace {

using pw::layout::kPageWidth;
constexpr std::size_t kBandRows = 64;

bool IsPngName(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".png";
}

// Fills `count` rows from `first` on with R, G, B (, A) bytes.
void Band(const pw::Ttrlevel& level, ExportDepth depth, std::size_t first, std::size_t count,
          std::uint8_t* out) {
    if (depth == ExportDepth::shown24) {
        pw::ExportRows(level, first, count, false, out);
        return;
    }
    const std::size_t row_bytes = 4 * kPageWidth;
    const std::size_t begin = std::min(first * row_bytes, level.pages32.size());
    const std::size_t end = std::min((first + count) * row_bytes, level.pages32.size());
    const std::uint8_t* bgra = level.pages32.data();
    for (std::size_t at = begin; at + 4 <= end; at += 4) { // the level stores B, G, R, A
        std::uint8_t* pixel = out + (at - begin);
        pixel[0] = bgra[at + 2];
        pixel[1] = bgra[at + 1];
        pixel[2] = bgra[at];
        pixel[3] = bgra[at + 3];
    }
    const std::size_t whole = (end - begin) / 4 * 4;
    std::fill(out + whole, out + count * row_bytes, std::uint8_t{0});
}

pw::Result WritePng(const pw::Ttrlevel& level, ExportDepth depth, std::FILE* file, pw::Gauge* gauge) {
    const std::size_t rows = static_cast<std::size_t>(level.num_pages) * kPageWidth;
    const bool alpha = depth == ExportDepth::stored32;
    PngStream png(file, kPageWidth, static_cast<std::uint32_t>(rows),
                  alpha ? PngStream::Colour::rgba : PngStream::Colour::rgb, pw::kExportDotsPerMeter);
    std::vector<std::uint8_t> band(kBandRows * (alpha ? 4 : 3) * kPageWidth);
    pw::GaugeSteps steps(gauge);
    for (std::size_t first = 0; first < rows; first += kBandRows) {
        const std::size_t count = std::min(kBandRows, rows - first);
        Band(level, depth, first, count, band.data());
        if (pw::Result written = png.WriteRows(band.data(), count); !written)
            return written;
        steps.Done(first + count, rows);
    }
    return png.Finish();
}

} // namespace

pw::Result WritePictureExport(const pw::Ttrlevel& level, const std::string& path, ExportDepth depth,
                              pw::Gauge* gauge) {
    if (level.num_pages <= 0)
        return CannotWrite(pw::Status::bad_request, path, "the level has no pages");
    if (depth == ExportDepth::stored32 && !IsPngName(path))
        return CannotWrite(pw::Status::cannot_save_as, path, "32-bit pages are written as .png only");
    return WritePictureFile(path, path, [&](std::FILE* f) {
        return IsPngName(path) ? WritePng(level, depth, f, gauge) : WriteBmpExport(level, f, gauge);
    });
}
