#include "document/picture_export.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <png.h>

#include "level/file_replace.h"
#include "level/layout.h"
#include "level/page_export.h"

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

// What libpng reports; kept to raise it as ours once libpng has unwound.
struct PngSink {
    std::FILE* file = nullptr;
    std::string error;
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* sink = static_cast<PngSink*>(png_get_error_ptr(png));
    if (sink->error.empty())
        sink->error = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {} // nothing the user can act on

void OnPngWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, sink->file) != length) {
        sink->error = std::strerror(errno);
        png_error(png, "write failed");
    }
}

void OnPngFlush(png_structp) {}

// Fills `count` rows from `first` on, in the byte order the PNG is told to expect.
void Band(const pw::Ttrlevel& level, ExportDepth depth, std::size_t first, std::size_t count,
          std::uint8_t* out) {
    if (depth == ExportDepth::shown24) {
        pw::ExportRows(level, first, count, true, out);
        return;
    }
    const std::size_t row_bytes = 4 * kSide;
    const std::size_t begin = std::min(first * row_bytes, level.pages32.size());
    const std::size_t end = std::min((first + count) * row_bytes, level.pages32.size());
    std::copy(level.pages32.begin() + static_cast<std::ptrdiff_t>(begin),
              level.pages32.begin() + static_cast<std::ptrdiff_t>(end), out);
    std::fill(out + (end - begin), out + count * row_bytes, std::uint8_t{0});
}

// libpng leaves by longjmp on an error, so nothing in here owns anything that needs destroying; the
// band buffer belongs to the caller.
bool WritePng(const pw::Ttrlevel& level, ExportDepth depth, PngSink& sink, std::vector<std::uint8_t>& band) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        sink.error = "not enough memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    const std::size_t rows = static_cast<std::size_t>(level.num_pages) * kSide;
    const bool alpha = depth == ExportDepth::stored32;
    png_set_write_fn(png, &sink, OnPngWrite, OnPngFlush);
    // libpng refuses more than a million rows by default (3907 pages); the format allows 2^31 - 1.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_IHDR(png, info, kSide, static_cast<png_uint_32>(rows), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, pw::kExportDotsPerMeter, pw::kExportDotsPerMeter, PNG_RESOLUTION_METER);
    // The fastest level and one cheap filter: the export stays within a few times the uncompressed
    // bitmap's time, and page art still compresses well.
    png_set_compression_level(png, 1);
    png_set_compression_buffer_size(png, 1 << 20);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    png_set_bgr(png); // rows come as B, G, R (, A), the level's own order
    const std::size_t row_bytes = (alpha ? 4 : 3) * kSide;
    for (std::size_t first = 0; first < rows; first += kBandRows) {
        const std::size_t count = std::min(kBandRows, rows - first);
        Band(level, depth, first, count, band.data());
        for (std::size_t i = 0; i < count; ++i)
            png_write_row(png, band.data() + i * row_bytes);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

void WritePictureExport(const pw::Ttrlevel& level, const std::string& path, ExportDepth depth) {
    if (level.num_pages <= 0)
        throw std::runtime_error("cannot write " + path + ": the level has no pages");
    if (depth == ExportDepth::stored32 && !IsPngName(path))
        throw std::runtime_error("cannot write " + path + ": 32-bit pages are written as .png only");
    if (!IsPngName(path)) {
        pw::ReplaceFileContents(path, [&](std::FILE* f) { pw::WriteExportBmp(level, f, path); });
        return;
    }
    std::vector<std::uint8_t> band(kBandRows * 4 * kSide);
    pw::ReplaceFileContents(path, [&](std::FILE* f) {
        PngSink sink;
        sink.file = f;
        if (!WritePng(level, depth, sink, band))
            throw std::runtime_error("cannot write " + path + ": " + sink.error);
    });
}
