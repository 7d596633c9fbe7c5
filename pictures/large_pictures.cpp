#include "pictures/large_pictures.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include <QImageReader>

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include "pictures/png_rows.h"

namespace {

// libpng's own limit on the rows of a picture it decodes.
constexpr std::int64_t kPngRowLimit = 1'000'000;
// A band is a few megabytes whatever the width, and well inside Qt's limit itself.
constexpr std::int64_t kBandBytes = std::int64_t{16} << 20;
constexpr int kMaxBandRows = 4096;

int BandRows(std::int64_t width) {
    std::int64_t bytes = kBandBytes;
    if (const std::int64_t limit = std::int64_t{QImageReader::allocationLimit()} << 20; limit > 0)
        bytes = std::min(bytes, limit / 2);
    return static_cast<int>(
        std::clamp<std::int64_t>(bytes / std::max<std::int64_t>(width * 8, 1), 1, kMaxBandRows));
}

void PutLe(QByteArray& b, int at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<char>(v >> (8 * i));
}

void PutBe(QByteArray& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        b.append(static_cast<char>(v >> shift));
}

void AppendChunk(QByteArray& png, const char* type, const QByteArray& data) {
    PutBe(png, static_cast<std::uint32_t>(data.size()));
    const qsizetype start = png.size();
    png.append(type, 4);
    png.append(data);
    PutBe(png, crc32_gzip_refl(0, reinterpret_cast<const unsigned char*>(png.constData() + start),
                               static_cast<std::uint64_t>(png.size() - start)));
}

// A zlib stream of stored blocks: the bands live only in memory, so they are not compressed.
QByteArray StoredZlib(const QByteArray& raw) {
    QByteArray z("\x78\x01", 2);
    for (qsizetype at = 0; at < raw.size() || at == 0; at += 65535) {
        const auto n = static_cast<std::uint32_t>(std::min<qsizetype>(65535, raw.size() - at));
        const bool last = at + n >= raw.size();
        z.append(static_cast<char>(last ? 1 : 0));
        const char sizes[4] = {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(~n),
                               static_cast<char>(~n >> 8)};
        z.append(sizes, 4);
        z.append(raw.constData() + at, n);
        if (last)
            break;
    }
    PutBe(z, isal_adler32(1, reinterpret_cast<const unsigned char*>(raw.constData()),
                          static_cast<std::uint64_t>(raw.size())));
    return z;
}

// Pastes decoded bands into one picture, made when the first band arrives in that band's format.
class BandAssembler {
public:
    BandAssembler(int width, int rows) : width_(width), rows_(rows) {}

    bool Add(const QImage& band, QString& error) {
        if (band.isNull() || band.width() != width_ || next_ + band.height() > rows_ ||
            (!picture_.isNull() && band.format() != picture_.format())) {
            error = QStringLiteral("a part of it cannot be decoded");
            return false;
        }
        if (picture_.isNull()) {
            picture_ = QImage(width_, rows_, band.format());
            if (picture_.isNull()) {
                error = QStringLiteral("there is not enough memory for it");
                return false;
            }
            picture_.setColorTable(band.colorTable());
        }
        const auto bytes = static_cast<std::size_t>(std::min(band.bytesPerLine(), picture_.bytesPerLine()));
        for (int y = 0; y < band.height(); ++y)
            std::memcpy(picture_.scanLine(next_ + y), band.constScanLine(y), bytes);
        next_ += band.height();
        return true;
    }

    QImage Take() { return next_ == rows_ ? std::move(picture_) : QImage(); }

private:
    int width_;
    int rows_;
    int next_ = 0;
    QImage picture_;
};

QImage Decode(const QByteArray& bytes, const char* format) {
    QImage band;
    band.loadFromData(bytes, format);
    return band;
}

} // namespace

bool TooLargeForQtReader(const QSize& size, bool png) {
    if (png && size.height() > kPngRowLimit)
        return true;
    const std::int64_t limit = std::int64_t{QImageReader::allocationLimit()} << 20;
    // 16-bit .png files decode to 8 bytes a pixel.
    const std::int64_t bytes = std::int64_t{size.width()} * size.height() * (png ? 8 : 4);
    return limit > 0 && bytes > limit;
}

QImage ReadLargeBmp(QFile& file, const BmpRows& bmp, int rows, QString& error) {
    if (bmp.rows == 0 || bmp.rows > 0x7FFFFFFF || bmp.row_bytes == 0 || bmp.pixel_offset > (1u << 24)) {
        error = QStringLiteral("its header is damaged");
        return {};
    }
    const int total = static_cast<int>(bmp.rows);
    rows = rows > 0 ? std::min(rows, total) : total;
    if (!file.seek(0)) {
        error = file.errorString();
        return {};
    }
    const QByteArray head = file.read(static_cast<qint64>(bmp.pixel_offset));
    const bool small_header = head.size() >= 18 && static_cast<std::uint8_t>(head[14]) == 12;
    if (head.size() != static_cast<qsizetype>(bmp.pixel_offset) || head.size() < (small_header ? 26 : 54)) {
        error = QStringLiteral("the file is shorter than its header says");
        return {};
    }
    const auto width = static_cast<std::int64_t>(
        small_header
            ? (static_cast<std::uint8_t>(head[18]) | static_cast<std::uint8_t>(head[19]) << 8)
            : (static_cast<std::uint8_t>(head[18]) | static_cast<std::uint8_t>(head[19]) << 8 |
               static_cast<std::uint8_t>(head[20]) << 16 | static_cast<std::uint8_t>(head[21]) << 24));
    BandAssembler picture(static_cast<int>(width), rows);
    const int band_rows = BandRows(width);
    for (int top = 0; top < rows; top += band_rows) {
        const int count = std::min(band_rows, rows - top);
        // Rows from the top: a file stored bottom up holds them from its end.
        const std::uint64_t first_stored = bmp.top_down ? top : bmp.rows - top - count;
        QByteArray band = head;
        const std::uint64_t data_bytes = static_cast<std::uint64_t>(count) * bmp.row_bytes;
        PutLe(band, 2, static_cast<std::uint32_t>(head.size() + data_bytes), 4);
        if (small_header)
            PutLe(band, 20, static_cast<std::uint32_t>(count), 2);
        else
            PutLe(band, 22, static_cast<std::uint32_t>(bmp.top_down ? -count : count), 4);
        if (!file.seek(static_cast<qint64>(bmp.pixel_offset + first_stored * bmp.row_bytes))) {
            error = file.errorString();
            return {};
        }
        const QByteArray data = file.read(static_cast<qint64>(data_bytes));
        if (static_cast<std::uint64_t>(data.size()) != data_bytes) {
            error = QStringLiteral("the file is shorter than its header says");
            return {};
        }
        band.append(data);
        if (!picture.Add(Decode(band, "BMP"), error))
            return {};
    }
    return picture.Take();
}

QImage ReadLargePng(QFile& file, int rows, QString& error) {
    // First through to the end: every row must be there before the picture is made.
    PngLayout png;
    if (!file.seek(0) || !ReadPngRows(
                             file, png, [](std::span<const std::uint8_t>, int) { return true; }, error))
        return {};
    if (png.interlaced || png.width > 0x7FFFFFFF || png.height > 0x7FFFFFFF) {
        error = QStringLiteral("it is too large to read in parts");
        return {};
    }
    const int total = static_cast<int>(png.height);
    rows = rows > 0 ? std::min(rows, total) : total;
    BandAssembler picture(static_cast<int>(png.width), rows);
    const int band_rows = BandRows(png.width);
    const std::uint64_t row_bytes = png.RowBytes(png.width);
    QByteArray raw;
    int taken = 0;
    bool decoded = true;
    const auto flush = [&] {
        const int count = static_cast<int>(static_cast<std::uint64_t>(raw.size()) / (row_bytes + 1));
        QByteArray band(reinterpret_cast<const char*>("\x89PNG\r\n\x1A\n"), 8);
        QByteArray header;
        PutBe(header, png.width);
        PutBe(header, static_cast<std::uint32_t>(count));
        header.append(static_cast<char>(png.bit_depth));
        header.append(static_cast<char>(png.colour_type));
        header.append(QByteArray(3, '\0'));
        AppendChunk(band, "IHDR", header);
        band.append(png.chunks_before_data);
        AppendChunk(band, "IDAT", StoredZlib(raw));
        AppendChunk(band, "IEND", {});
        raw.clear();
        return picture.Add(Decode(band, "PNG"), error);
    };
    PngLayout again;
    if (!file.seek(0) || !ReadPngRows(
                             file, again,
                             [&](std::span<const std::uint8_t> row, int) {
                                 raw.append('\0');
                                 raw.append(reinterpret_cast<const char*>(row.data()),
                                            static_cast<qsizetype>(row.size()));
                                 ++taken;
                                 if (taken % band_rows == 0 || taken == rows)
                                     decoded = flush();
                                 return decoded && taken < rows;
                             },
                             error))
        return {};
    if (!decoded)
        return {};
    return picture.Take();
}
