#include "pictures/bmp_export.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "level/layout.h"
#include "level/page_export.h"

namespace {

using pw::layout::kPageWidth;
constexpr std::size_t kHeaderBytes = 54;
constexpr std::size_t kRowsPerWrite = 64;

void PutLe16(std::uint8_t* at, std::uint32_t v) {
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutLe32(std::uint8_t* at, std::uint32_t v) {
    PutLe16(at, v);
    PutLe16(at + 2, v >> 16);
}

void PutHeader(std::uint8_t* h, std::uint32_t rows) {
    const std::uint32_t pixel_bytes = rows * 3 * kPageWidth;
    h[0] = 'B';
    h[1] = 'M';
    PutLe32(h + 2, static_cast<std::uint32_t>(kHeaderBytes) + pixel_bytes);
    PutLe32(h + 10, static_cast<std::uint32_t>(kHeaderBytes)); // where the pixels start
    PutLe32(h + 14, 40);                                       // BITMAPINFOHEADER
    PutLe32(h + 18, static_cast<std::uint32_t>(kPageWidth));
    PutLe32(h + 22, rows); // positive: the rows are stored bottom up
    PutLe16(h + 26, 1);    // planes
    PutLe16(h + 28, 24);   // bits per pixel
    PutLe32(h + 30, 0);    // uncompressed
    PutLe32(h + 34, pixel_bytes);
    PutLe32(h + 38, pw::kExportDotsPerMeter);
    PutLe32(h + 42, pw::kExportDotsPerMeter);
}

} // namespace

pw::Result WriteBmpExport(const pw::Ttrlevel& level, std::FILE* out, pw::Gauge* gauge) {
    const std::size_t rows = level.num_pages > 0 ? static_cast<std::size_t>(level.num_pages) * kPageWidth : 0;
    if (rows == 0)
        return {};
    std::vector<std::uint8_t> band(std::max(kHeaderBytes, kRowsPerWrite * 3 * kPageWidth));
    const auto put = [&](const std::uint8_t* bytes, std::size_t size) {
        return std::fwrite(bytes, 1, size, out) == size;
    };
    const auto failed = [] { return pw::Result{pw::Status::file_error, std::strerror(errno)}; };
    PutHeader(band.data(), static_cast<std::uint32_t>(rows));
    if (!put(band.data(), kHeaderBytes))
        return failed();
    pw::GaugeSteps steps(gauge);
    // Bottom up: the file's first row is the picture's last. Each band is converted top first and
    // written last row first.
    for (std::size_t done = 0; done < rows;) {
        const std::size_t count = std::min(kRowsPerWrite, rows - done);
        pw::ExportRows(level, rows - done - count, count, true, band.data());
        for (std::size_t i = count; i-- > 0;)
            if (!put(band.data() + i * 3 * kPageWidth, 3 * kPageWidth))
                return failed();
        done += count;
        steps.Done(done, rows);
    }
    return {};
}
