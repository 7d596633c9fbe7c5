#include "pictures/large_pictures.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include <QImageReader>

namespace {

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

pw::Result PartNotDecoded() {
    return PictureFailure(pw::Status::not_a_picture, QStringLiteral("a part of it cannot be decoded"));
}

// Pastes decoded bands into one picture, made when the first band arrives in that band's format.
class BandAssembler {
public:
    BandAssembler(int width, int rows) : width_(width), rows_(rows) {}

    pw::Result Add(const QImage& band) {
        if (band.isNull() || band.width() != width_ || next_ + band.height() > rows_ ||
            (!picture_.isNull() && band.format() != picture_.format()))
            return PartNotDecoded();
        if (picture_.isNull()) {
            picture_ = QImage(width_, rows_, band.format());
            if (picture_.isNull())
                return PictureFailure(pw::Status::not_a_picture,
                                      QStringLiteral("there is not enough memory for it"));
            picture_.setColorTable(band.colorTable());
        }
        const auto bytes = static_cast<std::size_t>(std::min(band.bytesPerLine(), picture_.bytesPerLine()));
        for (int y = 0; y < band.height(); ++y)
            std::memcpy(picture_.scanLine(next_ + y), band.constScanLine(y), bytes);
        next_ += band.height();
        return {};
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

bool TooLargeForQtReader(const QSize& size) {
    const std::int64_t limit = std::int64_t{QImageReader::allocationLimit()} << 20;
    const std::int64_t bytes = std::int64_t{size.width()} * size.height() * 4;
    return limit > 0 && bytes > limit;
}

PictureReading ReadLargeBmp(QFile& file, const BmpRows& bmp, int rows) {
    const auto shorter = [] {
        return RefusedReading(pw::Status::not_a_picture,
                              QStringLiteral("the file is shorter than its header says"));
    };
    if (bmp.rows == 0 || bmp.rows > 0x7FFFFFFF || bmp.row_bytes == 0 || bmp.pixel_offset > (1u << 24))
        return RefusedReading(pw::Status::not_a_picture, QStringLiteral("its header is damaged"));
    const int total = static_cast<int>(bmp.rows);
    rows = rows > 0 ? std::min(rows, total) : total;
    if (!file.seek(0))
        return RefusedReading(pw::Status::file_error, file.errorString());
    const QByteArray head = file.read(static_cast<qint64>(bmp.pixel_offset));
    const bool small_header = head.size() >= 18 && static_cast<std::uint8_t>(head[14]) == 12;
    if (head.size() != static_cast<qsizetype>(bmp.pixel_offset) || head.size() < (small_header ? 26 : 54))
        return shorter();
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
        if (!file.seek(static_cast<qint64>(bmp.pixel_offset + first_stored * bmp.row_bytes)))
            return RefusedReading(pw::Status::file_error, file.errorString());
        const QByteArray data = file.read(static_cast<qint64>(data_bytes));
        if (static_cast<std::uint64_t>(data.size()) != data_bytes)
            return shorter();
        band.append(data);
        if (pw::Result added = picture.Add(Decode(band, "BMP")); !added)
            return {{}, {}, std::move(added)};
    }
    PictureReading reading;
    reading.image = picture.Take();
    if (reading.image.isNull()) // a band decoded shorter than its rows
        reading.result = PartNotDecoded();
    return reading;
}
