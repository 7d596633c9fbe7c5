#include "pictures/picture_checks.h"
#include "pictures/large_pictures.h"
#include "pictures/png_format.h"
#include "pictures/png_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a .bmp file's headers say about its pixel data.
struct BmpLayout {
    bool valid = false;
    std::uint64_t pixel_offset = 0;
    std::uint64_t row_bytes = 0; // 0 when compressed: the size is known only by decoding
    std::uint64_t rows = 0;
    int bits = 0;
    int run_length_bits = 0;              // 8 or 4 when the rows are run-length coded
    bool top_down = false;                // a negative height
    std::array<std::uint32_t, 3> masks{}; // red, green, blue of a 16-bit file
};

std::uint32_t Le(const QByteArray& b, int at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
    return v;
}

BmpLayout ReadBmpLayout(const QByteArray& head) {
    BmpLayout layout;
    if (head.size() < 26 || !head.startsWith("BM"))
        return layout;
    layout.pixel_offset = Le(head, 10, 4);
    const std::uint32_t header_size = Le(head, 14, 4);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t compression = 0;
    if (header_size == 12) { // the oldest header: 16-bit sizes, never compressed
        width = Le(head, 18, 2);
        height = Le(head, 20, 2);
        layout.bits = static_cast<int>(Le(head, 24, 2));
    } else if (header_size >= 40 && head.size() >= 54) {
        width = static_cast<std::int32_t>(Le(head, 18, 4));
        const auto signed_height = static_cast<std::int64_t>(static_cast<std::int32_t>(Le(head, 22, 4)));
        height = std::abs(signed_height);
        layout.top_down = signed_height < 0;
        layout.bits = static_cast<int>(Le(head, 28, 2));
        compression = Le(head, 30, 4);
    } else {
        return layout;
    }
    layout.valid = true;
    // Uncompressed rows (plain or with colour masks) have a fixed size, padded to four bytes.
    if (compression == 0 || compression == 3 || compression == 6) {
        // Width times bits is at most 2^47: no overflow.
        const auto bits_per_row = static_cast<std::uint64_t>(std::max<std::int64_t>(width, 0)) *
                                  static_cast<std::uint64_t>(layout.bits);
        const std::uint64_t stride = (bits_per_row + 31) / 32 * 4;
        layout.row_bytes = stride;
        layout.rows = static_cast<std::uint64_t>(height);
    }
    if ((compression == 1 && layout.bits == 8) || (compression == 2 && layout.bits == 4)) {
        layout.run_length_bits = layout.bits;
        layout.rows = static_cast<std::uint64_t>(height);
    }
    layout.masks = {0x7C00u, 0x03E0u, 0x001Fu}; // 16-bit files without masks are 5-5-5
    if ((compression == 3 || compression == 6) && head.size() >= 66)
        layout.masks = {Le(head, 54, 4), Le(head, 58, 4), Le(head, 62, 4)};
    return layout;
}

// Widens every component that held fewer than 8 bits: the decoder put the bits at the top and left
// zeros below them; those zeros become copies of the high bits (31 of 5 bits gives 255, not 248).
void WidenComponents(QImage& image, const std::array<std::uint32_t, 3>& masks) {
    std::array<std::array<std::uint8_t, 256>, 3> tables{};
    for (int c = 0; c < 3; ++c) {
        const int bits = std::popcount(masks[c]);
        for (int v = 0; v < 256; ++v) {
            int wide = v;
            for (int shift = bits; bits > 0 && bits < 8 && shift < 8; shift += bits)
                wide |= v >> shift;
            tables[c][v] = static_cast<std::uint8_t>(wide);
        }
    }
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgba(tables[0][qRed(line[x])], tables[1][qGreen(line[x])], tables[2][qBlue(line[x])],
                            qAlpha(line[x]));
    }
}

// Whether run-length coded rows reach their end-of-picture code, or fill all `rows` rows, before the data
// ends. Every step reads at least two bytes, so the walk is as long as the data at most.
bool RunLengthDataComplete(const QByteArray& data, std::uint64_t rows, int bits) {
    const auto byte = [&data](qsizetype at) { return static_cast<std::uint8_t>(data[at]); };
    qsizetype at = 0;
    for (std::uint64_t row = 0; row < rows;) {
        if (data.size() - at < 2)
            return false;
        const int count = byte(at);
        const int code = byte(at + 1);
        at += 2;
        if (count > 0 || code == 0) { // a run of one index, or the end of a row
            row += count > 0 ? 0 : 1;
        } else if (code == 1) { // the end of the picture
            return true;
        } else if (code == 2) { // a move right and down
            if (data.size() - at < 2)
                return false;
            row += byte(at + 1);
            at += 2;
        } else { // `code` indices as they are, padded to a whole word
            const qsizetype bytes = bits == 8 ? code : (code + 1) / 2;
            const qsizetype padded = bytes + (bytes & 1);
            if (data.size() - at < padded)
                return false;
            at += padded;
        }
    }
    return true;
}

// The bytes from `offset` to the end, read without moving the file's position.
QByteArray BytesFrom(QFile& file, std::uint64_t offset) {
    const qint64 position = file.pos();
    QByteArray data;
    if (file.seek(static_cast<qint64>(offset)))
        data = file.readAll();
    file.seek(position);
    return data;
}

// The largest palette index the pixels of an 8-bit picture use.
int LargestIndex(const QImage& image) {
    int largest = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        largest = std::max<int>(largest, *std::max_element(line, line + image.width()));
    }
    return largest;
}

// The pixels of a palette .bmp name entries its colour table does not have: a damaged file, whatever
// colour a decoder would put there. Empty when the indices all lie inside the table.
QString PaletteFault(const QImage& image) {
    if (image.format() != QImage::Format_Indexed8)
        return {};
    const int entries = image.colorCount();
    const int largest = LargestIndex(image);
    if (largest < entries)
        return {};
    return QStringLiteral("its pixels use palette entries up to %1, past the %2 colours of its table")
        .arg(largest)
        .arg(entries);
}

// The nearest folder above `path` that cannot be entered, or an empty text.
QString FolderNotEntered(const QString& path) {
    for (QString folder = QFileInfo(path).absolutePath();; folder = QFileInfo(folder).absolutePath()) {
        if (::access(QFile::encodeName(folder).constData(), X_OK) != 0 && errno == EACCES)
            return folder;
        if (QFileInfo(folder).isRoot())
            return {};
    }
}

// Why `path` cannot be opened or looked at, from the system's errno.
PictureReading NotOpened(const QString& path, int error) {
    if (error == ENOENT)
        return RefusedReading(pw::Status::no_such_file, QStringLiteral("file not found: %1").arg(path));
    if (error == EACCES) {
        if (const QString folder = FolderNotEntered(path); !folder.isEmpty())
            return RefusedReading(
                pw::Status::file_error,
                QStringLiteral("cannot read the picture %1: the folder %2 cannot be entered")
                    .arg(path, QDir::toNativeSeparators(folder)));
        return RefusedReading(pw::Status::file_error,
                              QStringLiteral("cannot read the picture %1: permission denied").arg(path));
    }
    return RefusedReading(pw::Status::file_error,
                          QStringLiteral("cannot read the picture %1: %2")
                              .arg(path, QString::fromLocal8Bit(std::strerror(error))));
}

// Opens only a regular file. The descriptor is checked after opening (without waiting on a pipe), so
// a name swapped for a pipe or a device in between is refused as well.
PictureReading Open(const QString& path, QFile& file) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return NotOpened(path, errno);
    if (S_ISDIR(info.st_mode))
        return RefusedReading(pw::Status::file_error,
                              QStringLiteral("%1 is a folder, not a picture").arg(path));
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return NotOpened(path, errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return RefusedReading(
            pw::Status::file_error,
            QStringLiteral("cannot read the picture %1: it is not a regular file").arg(path));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return RefusedReading(pw::Status::file_error,
                              QStringLiteral("cannot read the picture %1: %2").arg(path, file.errorString()));
    }
    return {};
}

// A .bmp Qt would refuse for its size alone is read a band of rows at a time; a valid picture is never
// called broken for being large. The reason does not name the file.
PictureReading ReadLarge(QFile& file, const BmpLayout& bmp, int rows) {
    if (bmp.row_bytes > 0)
        return ReadLargeBmp(file, {bmp.pixel_offset, bmp.row_bytes, bmp.rows, bmp.top_down}, rows);
    return RefusedReading(pw::Status::not_a_picture, QStringLiteral("it is too large to read"));
}

// The reading of `path` refused as `size` by the caller's check.
PictureReading WrongSize(const QString& path, const QSize& size) {
    PictureReading reading =
        RefusedReading(pw::Status::wrong_size,
                       QStringLiteral("%1 is %2 x %3").arg(path).arg(size.width()).arg(size.height()));
    reading.size = size;
    return reading;
}

// The reason of `reading`, which does not name the file, put in a sentence naming `path`.
PictureReading NamingFile(PictureReading reading, const QString& path) {
    if (reading.result == pw::Status::wrong_size)
        return WrongSize(path, reading.size);
    if (!reading.result)
        reading.result.reason = QStringLiteral("cannot read the picture %1: %2")
                                    .arg(path, QString::fromStdString(reading.result.reason))
                                    .toStdString();
    return reading;
}

} // namespace

PictureReading ReadPictureFile(const QString& path, const std::function<bool(QSize)>& size_fits, int rows) {
    QFile file;
    if (PictureReading opened = Open(path, file); !opened.result)
        return opened;
    const auto file_bytes = static_cast<std::uint64_t>(file.size());
    // A .png goes through its own strict reader, never through Qt's.
    if (HasPngSignature(file.peek(8)))
        return NamingFile(ReadPng(file, file_bytes, size_fits, rows), path);
    const BmpLayout bmp = ReadBmpLayout(file.peek(70));
    const auto unreadable = [&](const QString& why) {
        return NamingFile(RefusedReading(pw::Status::not_a_picture, why), path);
    };
    // Compared by division: rows times row size can exceed 64 bits.
    if (bmp.valid && (bmp.pixel_offset >= file_bytes ||
                      (bmp.row_bytes > 0 && bmp.rows > (file_bytes - bmp.pixel_offset) / bmp.row_bytes)))
        return unreadable(QStringLiteral("the file is shorter than its header says"));
    // The decoder fills what run-length data leaves out with index 0 without a word.
    if (bmp.valid && bmp.run_length_bits != 0 &&
        !RunLengthDataComplete(BytesFrom(file, bmp.pixel_offset), bmp.rows, bmp.run_length_bits))
        return unreadable(QStringLiteral("the file is shorter than its header says"));

    QImageReader reader(&file);
    PictureReading reading;
    reading.size = reader.size();
    if (size_fits && reading.size.isValid() && !size_fits(reading.size))
        return WrongSize(path, reading.size);
    if (reading.size.isValid() && bmp.valid && TooLargeForQtReader(reading.size)) {
        PictureReading large = ReadLarge(file, bmp, rows);
        if (!large.result)
            return NamingFile(std::move(large), path);
        reading.image = std::move(large.image);
    } else {
        if (!reader.read(&reading.image) || reading.image.isNull())
            return unreadable(reader.errorString());
        // A decoder that stopped early may still hand over a picture; what it delivered must be whole.
        if (reading.size.isValid() && reading.image.size() != reading.size)
            return unreadable(QStringLiteral("the file is shorter than its header says"));
        if (rows > 0 && reading.image.height() > rows)
            reading.image = reading.image.copy(0, 0, reading.image.width(), rows);
    }
    reading.size = reading.image.size();
    if (size_fits && !size_fits(reading.size))
        return WrongSize(path, reading.size);
    if (const QString fault = PaletteFault(reading.image); !fault.isEmpty())
        return unreadable(fault);
    if (bmp.valid && bmp.bits == 16)
        WidenComponents(reading.image, bmp.masks);
    return reading;
}
