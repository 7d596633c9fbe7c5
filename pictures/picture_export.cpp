#include "pictures/picture_export.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <vector>

#include "level/layout.h"
#include "level/page_export.h"
#include "level/safe_write.h"
#include "pictures/bmp_export.h"
#include "pictures/png_stream.h"

namespace {

constexpr std::size_t kSide = pw::layout::kPageWidth;
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
    const std::size_t row_bytes = 4 * kSide;
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

void WritePng(const pw::Ttrlevel& level, ExportDepth depth, std::FILE* file, const std::string& path,
              pw::Gauge* gauge) {
    const std::size_t rows = static_cast<std::size_t>(level.num_pages) * kSide;
    const bool alpha = depth == ExportDepth::stored32;
    PngStream png(file, path, kSide, static_cast<std::uint32_t>(rows),
                  alpha ? PngStream::Colour::rgba : PngStream::Colour::rgb, pw::kExportDotsPerMeter);
    std::vector<std::uint8_t> band(kBandRows * (alpha ? 4 : 3) * kSide);
    pw::GaugeSteps steps(gauge);
    for (std::size_t first = 0; first < rows; first += kBandRows) {
        const std::size_t count = std::min(kBandRows, rows - first);
        Band(level, depth, first, count, band.data());
        png.WriteRows(band.data(), count);
        steps.Done(first + count, rows);
    }
    png.Finish();
}

} // namespace

void WritePictureExport(const pw::Ttrlevel& level, const std::string& path, ExportDepth depth,
                        pw::Gauge* gauge) {
    if (level.num_pages <= 0)
        throw std::runtime_error("cannot write " + path + ": the level has no pages");
    if (depth == ExportDepth::stored32 && !IsPngName(path))
        throw std::runtime_error("cannot write " + path + ": 32-bit pages are written as .png only");
    const std::string failed = pw::WriteFileSafely(path, [&](std::FILE* f) {
        if (IsPngName(path))
            WritePng(level, depth, f, path, gauge);
        else
            WriteBmpExport(level, f, path, gauge);
        return std::string();
    });
    if (!failed.empty())
        throw std::runtime_error("cannot write " + path + ": " + failed);
}
