// Reading pictures to copy from, refusing damaged ones, and writing the stacked export a band at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include <QImage>
#include <QImageReader>
#include <QString>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "level/compression.h"
#include "pictures/picture_checks.h"
#include "pictures/picture_export.h"
#include "tests/fixtures/test_support.h"

namespace {

using pw::fixtures::Bytes;
using pw::fixtures::TempDir;
using pw::fixtures::WriteFile;

void Put(Bytes& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 256-wide BMP, `height` rows announced, `pixel_bytes` of pixel data after the headers; 16-bit ones
// carry 5-6-5 masks unless `masks` is false.
Bytes Bmp(int height, int bits, std::size_t pixel_bytes, std::uint32_t offset = 0, bool masks = true) {
    const bool with_masks = bits == 16 && masks;
    const std::size_t headers = with_masks ? 66 : 54;
    Bytes b(headers + pixel_bytes, 0x7F);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    Put(b, 10, offset ? offset : static_cast<std::uint32_t>(headers), 4);
    Put(b, 14, 40, 4);
    Put(b, 18, 256, 4);
    Put(b, 22, static_cast<std::uint32_t>(height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, static_cast<std::uint32_t>(bits), 2);
    Put(b, 30, with_masks ? 3 : 0, 4);
    if (with_masks) {
        Put(b, 54, 0xF800, 4);
        Put(b, 58, 0x07E0, 4);
        Put(b, 62, 0x001F, 4);
    }
    return b;
}

// A 256 x 256 BMP with run-length coded 8-bit rows: two runs fill each row, which ends with its
// end-of-row code; the end-of-picture code follows the last row when `end_code` is set.
Bytes RunLengthBmp(bool end_code) {
    Bytes b = Bmp(256, 8, 1024);
    Put(b, 10, 54 + 1024, 4);
    Put(b, 30, 1, 4);
    Put(b, 46, 0, 4); // all 256 colours
    Put(b, 50, 0, 4);
    for (int row = 0; row < 256; ++row)
        b.insert(b.end(), {200, static_cast<std::uint8_t>(row), 56, 7, 0, 0});
    if (end_code)
        b.insert(b.end(), {0, 1});
    Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    return b;
}

void PutBe(Bytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(Bytes& png, const char* type, const Bytes& data) {
    PutBe(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBe(png, pw::Crc32(std::span(png).subspan(start)));
}

// `raw` as a zlib stream of stored deflate blocks.
Bytes StoredZlib(const Bytes& raw) {
    Bytes zlib{0x78, 0x01};
    for (std::size_t at = 0; at < raw.size(); at += 65535) {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        zlib.push_back(at + n == raw.size() ? 1 : 0);
        zlib.insert(zlib.end(), {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                 static_cast<std::uint8_t>(~n), static_cast<std::uint8_t>(~n >> 8)});
        zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                    raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    PutBe(zlib, pw::Adler32(raw));
    return zlib;
}

void PutBe16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v >> 8));
    b.push_back(static_cast<std::uint8_t>(v));
}

// A 256 x 256 PNG of 16-bit RGB whose pixel (x, y) is (x, y, x ^ y) with each byte repeated (v * 257),
// except that pixel (1, 0) is the key colour (7, 7, 0) with one more in the low byte of its red; the key
// is transparent.
Bytes Rgb16KeyedPng() {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutBe(header, 256);
    PutBe(header, 256);
    header.insert(header.end(), {16, 2, 0, 0, 0});
    Chunk(png, "IHDR", header);
    Bytes key;
    for (const unsigned v : {7u, 7u, 0u})
        PutBe16(key, v * 257);
    Chunk(png, "tRNS", key);
    Bytes raw;
    for (unsigned y = 0; y < 256; ++y) {
        raw.push_back(0);
        for (unsigned x = 0; x < 256; ++x) {
            const bool near_key = x == 1 && y == 0;
            PutBe16(raw, near_key ? 7 * 257 + 1 : x * 257);
            PutBe16(raw, near_key ? 7 * 257 : y * 257);
            PutBe16(raw, near_key ? 0 : (x ^ y) * 257);
        }
    }
    Chunk(png, "IDAT", StoredZlib(raw));
    Chunk(png, "IEND", {});
    return png;
}

// A 256 x 256 palette PNG of `entries` colours whose pixel (x, y) is index (x + y) % `modulo`, its data
// in stored deflate blocks.
Bytes PalettePng(int entries, int modulo) {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutBe(header, 256);
    PutBe(header, 256);
    header.insert(header.end(), {8, 3, 0, 0, 0});
    Chunk(png, "IHDR", header);
    Bytes palette;
    for (int i = 0; i < entries; ++i)
        palette.insert(palette.end(), {static_cast<std::uint8_t>(i * 8), 200, 100});
    Chunk(png, "PLTE", palette);
    Bytes raw;
    for (int y = 0; y < 256; ++y) {
        raw.push_back(0);
        for (int x = 0; x < 256; ++x)
            raw.push_back(static_cast<std::uint8_t>((x + y) % modulo));
    }
    Chunk(png, "IDAT", StoredZlib(raw));
    Chunk(png, "IEND", {});
    return png;
}

// The percents a gauge was given, in order.
struct RecordingGauge : pw::Gauge {
    std::vector<int> percents;
    void SetProgress(int percent) override { percents.push_back(percent); }
};

PictureReading Read(const std::string& path) {
    return ReadPictureFile(QString::fromStdString(path));
}

QString Reason(const PictureReading& reading) {
    return QString::fromStdString(reading.result.reason);
}

// The colour shown for pixel `i` of the stacked pages, worked out from the page bytes: its palette
// entry times 4, or its word's 5-bit red and blue and its green less the lowest bit (5-6-5), each
// widened by repeating its high bits; black where the level holds no pixels.
QRgb ShownPixel(const pw::Ttrlevel& level, std::size_t i) {
    if (level.kind == pw::kind_tr1) {
        if (i >= level.pages8.size())
            return qRgb(0, 0, 0);
        const std::uint8_t* rgb = &level.palette[3u * level.pages8[i]];
        return qRgb(rgb[0] * 4, rgb[1] * 4, rgb[2] * 4);
    }
    if (2 * i + 1 >= level.pages16.size())
        return qRgb(0, 0, 0);
    const unsigned word = level.pages16[2 * i] | (level.pages16[2 * i + 1] << 8);
    const unsigned r = (word >> 10) & 31, g = ((word >> 5) & 31) << 1, b = word & 31;
    return qRgb(static_cast<int>((r << 3) | (r >> 2)), static_cast<int>((g << 2) | (g >> 4)),
                static_cast<int>((b << 3) | (b >> 2)));
}

std::string Components(QRgb c) {
    return QStringLiteral("(%1, %2, %3, %4)")
        .arg(qRed(c))
        .arg(qGreen(c))
        .arg(qBlue(c))
        .arg(qAlpha(c))
        .toStdString();
}

// The first pixel of `image` that differs from `expected(i)`, i counting rows from the top.
::testing::AssertionResult PixelsAre(const QImage& image, const std::function<QRgb(std::size_t)>& expected) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb want = expected(static_cast<std::size_t>(y) * 256 + static_cast<std::size_t>(x));
            const QRgb got = image.pixel(x, y);
            if (got != want)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is "
                                                     << Components(got) << ", not " << Components(want);
        }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(PictureFiles, PixelDataShorterThanTheHeaderSaysIsRefused) {
    TempDir dir;
    const std::size_t row = 768;
    const std::vector<std::pair<const char*, Bytes>> damaged = {
        {"cut after 128 rows", Bmp(256, 24, 128 * row)},
        {"pixels past the end", Bmp(256, 24, 256 * row, 10'000'000)},
        {"100000 rows with data for 10", Bmp(100000, 24, 10 * row)},
    };
    WriteFile(dir.File("whole.bmp"), Bmp(256, 24, 256 * row));
    EXPECT_EQ(Read(dir.File("whole.bmp")).result, pw::Status::done);
    for (const auto& [what, bytes] : damaged) {
        WriteFile(dir.File("damaged.bmp"), bytes);
        const PictureReading reading = Read(dir.File("damaged.bmp"));
        EXPECT_EQ(reading.result, pw::Status::not_a_picture) << what;
        EXPECT_TRUE(reading.image.isNull()) << what;
        EXPECT_TRUE(Reason(reading).contains("shorter than its header says")) << what;
    }
}

TEST(PictureFiles, RunLengthDataThatEndsEarlyIsRefused) {
    TempDir dir;
    const Bytes whole = RunLengthBmp(true);
    const std::vector<std::pair<const char*, Bytes>> readable = {
        {"with its end code", whole},
        {"rows filled, no end code", RunLengthBmp(false)},
    };
    for (const auto& [what, bytes] : readable) {
        WriteFile(dir.File("whole.bmp"), bytes);
        const PictureReading reading = Read(dir.File("whole.bmp"));
        ASSERT_EQ(reading.result, pw::Status::done) << what << ": " << reading.result.reason;
        EXPECT_EQ(reading.image.pixelIndex(0, 1), 254) << what; // rows are stored bottom up
        EXPECT_EQ(reading.image.pixelIndex(255, 1), 7) << what;
    }
    const std::size_t half = 54 + 1024 + 128 * 6;
    for (const std::size_t cut : {half, half + 1, whole.size() - 2 - 3}) {
        WriteFile(dir.File("cut.bmp"),
                  Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)));
        const PictureReading reading = Read(dir.File("cut.bmp"));
        EXPECT_EQ(reading.result, pw::Status::not_a_picture) << "cut at " << cut;
        EXPECT_TRUE(Reason(reading).contains("shorter than its header says")) << reading.result.reason;
    }
}

// Pixels naming palette entries the colour table does not have are damage, not black or transparent.
TEST(PictureFiles, PaletteIndicesPastTheColourTableAreRefused) {
    TempDir dir;
    Bytes bmp = Bmp(256, 8, 256 * 256 + 16 * 4, 54 + 16 * 4);
    Put(bmp, 46, 16, 4); // colours in the table
    for (std::size_t i = 0; i < 256 * 256; ++i)
        bmp[54 + 16 * 4 + i] = static_cast<std::uint8_t>(i % 17);
    const std::vector<std::pair<std::string, Bytes>> pictures = {
        {"bmp", bmp}, {"png", PalettePng(16, 256)}, {"png", PalettePng(16, 17)}};
    for (const auto& [extension, bytes] : pictures) {
        WriteFile(dir.File("damaged." + extension), bytes);
        const PictureReading reading = Read(dir.File("damaged." + extension));
        EXPECT_EQ(reading.result, pw::Status::not_a_picture) << extension;
        EXPECT_TRUE(Reason(reading).contains("past the 16 colours")) << reading.result.reason;
    }
    for (std::size_t i = 0; i < 256 * 256; ++i)
        bmp[54 + 16 * 4 + i] = static_cast<std::uint8_t>(i % 16);
    WriteFile(dir.File("whole.bmp"), bmp);
    WriteFile(dir.File("whole.png"), PalettePng(16, 16));
    EXPECT_EQ(Read(dir.File("whole.bmp")).result, pw::Status::done);
    EXPECT_EQ(Read(dir.File("whole.png")).result, pw::Status::done);
}

// Pictures past Qt's allocation limit (our own export of more than 512 pages is one) read whole, or
// only their top rows, in either format; one whose data ends early is still refused.
TEST(PictureFiles, PicturesPastTheReadersLimitAreReadInBands) {
    TempDir dir;
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1); // MB: a picture of 256 x 2000 is then too large for Qt
    QImage picture(256, 2000, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < 256; ++x)
            picture.setPixel(x, y, qRgb(x, y % 256, y / 8));
    for (const char* name : {"large.bmp", "large.png"}) {
        ASSERT_TRUE(picture.save(QString::fromStdString(dir.File(name))));
        const PictureReading whole = Read(dir.File(name));
        ASSERT_EQ(whole.result, pw::Status::done) << name << whole.result.reason;
        EXPECT_EQ(whole.image.convertToFormat(QImage::Format_RGB32), picture) << name;
        const PictureReading top = ReadPictureFile(QString::fromStdString(dir.File(name)), {}, 256);
        EXPECT_EQ(top.image.convertToFormat(QImage::Format_RGB32), picture.copy(0, 0, 256, 256)) << name;
    }
    Bytes png = pw::fixtures::ReadFile(dir.File("large.png"));
    png.resize(png.size() / 2);
    WriteFile(dir.File("cut.png"), png);
    const PictureReading cut = ReadPictureFile(QString::fromStdString(dir.File("cut.png")), {}, 256);
    QImageReader::setAllocationLimit(limit);
    EXPECT_EQ(cut.result, pw::Status::not_a_picture);
    EXPECT_TRUE(cut.image.isNull());
}

// A 16-bit colour key is matched on all 16 bits of each component, and the rows are read at their own
// width.
TEST(PictureFiles, SixteenBitRgbWithAColourKeyDecodesEveryPixel) {
    TempDir dir;
    WriteFile(dir.File("keyed.png"), Rgb16KeyedPng());
    const PictureReading reading = Read(dir.File("keyed.png"));
    ASSERT_EQ(reading.result, pw::Status::done) << reading.result.reason;
    ASSERT_TRUE(reading.image.hasAlphaChannel());
    EXPECT_TRUE(PixelsAre(reading.image.convertToFormat(QImage::Format_ARGB32), [](std::size_t i) {
        const int x = static_cast<int>(i % 256), y = static_cast<int>(i / 256);
        if (x == 1 && y == 0)
            return qRgba(7, 7, 0, 255);
        return qRgba(x, y, x ^ y, x == 7 && y == 7 ? 0 : 255);
    }));
}

// A chunk before the image data that claims far more bytes than the file holds is refused without the
// memory it claims.
TEST(PictureFiles, AChunkClaimingTwoGigabytesIsRefusedWithoutTheMemory) {
    TempDir dir;
    for (const char* type : {"tEXt", "zTXt", "iTXt", "sPLT"}) {
        Bytes png = Rgb16KeyedPng();
        Bytes claim;
        PutBe(claim, 0x7FFFFFFF);
        claim.insert(claim.end(), type, type + 4);
        claim.resize(claim.size() + 230'000, 'a');
        png.insert(png.begin() + 8 + 25, claim.begin(), claim.end()); // after the header chunk
        WriteFile(dir.File("claim.png"), png);
        const pid_t child = ::fork();
        if (child == 0) {
            rusage before{};
            ::getrusage(RUSAGE_SELF, &before);
            const PictureReading reading = Read(dir.File("claim.png"));
            rusage after{};
            ::getrusage(RUSAGE_SELF, &after);
            const bool refused = reading.result == pw::Status::not_a_picture;
            ::_exit(refused && after.ru_maxrss - before.ru_maxrss < 64 * 1024 ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << type;
    }
}

TEST(PictureFiles, OnlyRegularFilesAreRead) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("folder.bmp"));
    ASSERT_EQ(::mkfifo(dir.File("pipe.png").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.File("zero.png"));
    EXPECT_EQ(Read(dir.File("folder.bmp")).result, pw::Status::file_error);
    EXPECT_EQ(Read(dir.File("pipe.png")).result, pw::Status::file_error);
    EXPECT_EQ(Read(dir.File("zero.png")).result, pw::Status::file_error);
    EXPECT_EQ(Read(dir.File("missing.png")).result, pw::Status::no_such_file);
}

TEST(PictureFiles, AnUnreadablePictureAndAFolderThatCannotBeEnteredAreSaidSo) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    TempDir dir;
    WriteFile(dir.File("locked.png"), Rgb16KeyedPng());
    std::filesystem::create_directory(dir.File("shut"));
    WriteFile(dir.File("shut/page.png"), Rgb16KeyedPng());
    ASSERT_EQ(::chmod(dir.File("locked.png").c_str(), 0), 0);
    ASSERT_EQ(::chmod(dir.File("shut").c_str(), 0600), 0);
    const PictureReading locked = Read(dir.File("locked.png"));
    const PictureReading shut = Read(dir.File("shut/page.png"));
    ::chmod(dir.File("shut").c_str(), 0700);
    EXPECT_EQ(locked.result, pw::Status::file_error);
    EXPECT_TRUE(Reason(locked).endsWith("locked.png: permission denied")) << locked.result.reason;
    EXPECT_EQ(shut.result, pw::Status::file_error);
    EXPECT_TRUE(Reason(shut).endsWith(QString::fromStdString(dir.File("shut")) + " cannot be entered"))
        << shut.result.reason;
}

// Read whole, and read in bands as a picture past Qt's allocation limit is.
TEST(PictureFiles, SixteenBitColoursRepeatTheirHighBits) {
    TempDir dir;
    for (const int height : {256, 2000}) {
        Bytes bmp = Bmp(height, 16, static_cast<std::size_t>(height) * 512);
        Put(bmp, 66, 0xFFFF, 2);                      // white
        Put(bmp, 68, 0x0821, 2);                      // the smallest step of each component
        Put(bmp, 70, (16 << 11) | (32 << 5) | 16, 2); // the middle of each
        WriteFile(dir.File("565.bmp"), bmp);
        const int limit = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(1); // MB: 256 x 2000 is then too large for Qt, 256 x 256 is not
        const QImage image = Read(dir.File("565.bmp")).image;
        QImageReader::setAllocationLimit(limit);
        ASSERT_FALSE(image.isNull()) << height;
        const int bottom = height - 1; // rows are stored bottom up
        EXPECT_EQ(image.pixel(0, bottom), qRgb(255, 255, 255)) << height;
        EXPECT_EQ(image.pixel(1, bottom), qRgb(8, 4, 8)) << height;
        EXPECT_EQ(image.pixel(2, bottom), qRgb(132, 130, 132)) << height;
    }
}

TEST(PictureFiles, SixteenBitColoursWithoutMasksAreFiveFiveFive) {
    TempDir dir;
    Bytes bmp = Bmp(256, 16, 256 * 512, 0, false);
    Put(bmp, 54, 0x7FFF, 2);                     // white
    Put(bmp, 56, (16 << 10) | (1 << 5) | 31, 2); // the middle of red, the smallest green, full blue
    WriteFile(dir.File("555.bmp"), bmp);
    const QImage image = Read(dir.File("555.bmp")).image;
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(0, 255), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(1, 255), qRgb(132, 8, 255));
}

TEST(PictureFiles, StreamedExportsHoldThePagesInEitherFormat) {
    TempDir dir;
    pw::Ttrlevel paletted;
    paletted.kind = pw::kind_tr1;
    paletted.num_pages = 2;
    paletted.pages8 = pw::fixtures::Pattern(2 * 256 * 256 - 3 * 256, 5); // the last rows missing
    const Bytes palette = pw::fixtures::Pattern(768, 6);
    for (std::size_t i = 0; i < 768; ++i)
        paletted.palette[i] = palette[i] & 63;
    pw::Ttrlevel level;
    level.kind = pw::kind_tr4;
    level.num_pages = 3;
    level.pages16 = pw::fixtures::Pattern(3 * 256 * 256 * 2, 7);
    level.pages32 = pw::fixtures::Pattern(3 * 256 * 256 * 4 - 1000, 9); // the last pixels missing
    for (const pw::Ttrlevel* shown : {&paletted, &level}) {
        for (const char* name : {"pages.bmp", "pages.PNG"}) {
            RecordingGauge gauge;
            ASSERT_EQ(WritePictureExport(*shown, dir.File(name), ExportDepth::shown24, &gauge),
                      pw::Status::done);
            EXPECT_TRUE(std::is_sorted(gauge.percents.begin(), gauge.percents.end())) << name;
            EXPECT_GT(gauge.percents.size(), 2u) << name; // moves along, not only at the end
            EXPECT_EQ(gauge.percents.back(), 100) << name;
            const QImage image =
                QImage(QString::fromStdString(dir.File(name))).convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(image.size(), QSize(256, 256 * shown->num_pages)) << name;
            EXPECT_TRUE(PixelsAre(image, [&](std::size_t i) { return ShownPixel(*shown, i); })) << name;
        }
    }
    ASSERT_EQ(WritePictureExport(level, dir.File("pages32.png"), ExportDepth::stored32), pw::Status::done);
    const QImage image =
        QImage(QString::fromStdString(dir.File("pages32.png"))).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(256, 768));
    EXPECT_TRUE(PixelsAre(image, [&](std::size_t i) {
        const Bytes& bgra = level.pages32; // stored B, G, R, A
        return 4 * i + 3 < bgra.size() ? qRgba(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i], bgra[4 * i + 3])
                                       : qRgba(0, 0, 0, 0);
    }));
}

// The stacked .bmp's headers as a reader of the format expects them: a 40-byte info header, 256 wide,
// bottom up, 24 bits, uncompressed, the pixel bytes counted, 96 dots per inch.
TEST(PictureFiles, TheStackedBmpHeadersAreLaidOutByTheFormat) {
    TempDir dir;
    pw::Ttrlevel level;
    level.kind = pw::kind_tr4;
    level.num_pages = 2;
    level.pages16 = pw::fixtures::Pattern(2 * 256 * 256 * 2, 7);
    ASSERT_EQ(WritePictureExport(level, dir.File("pages.bmp"), ExportDepth::shown24), pw::Status::done);
    const Bytes file = pw::fixtures::ReadFile(dir.File("pages.bmp"));
    const std::size_t pixels = 512u * 256u * 3u;
    ASSERT_EQ(file.size(), 54 + pixels);
    Bytes expected(54, 0);
    expected[0] = 'B';
    expected[1] = 'M';
    Put(expected, 2, static_cast<std::uint32_t>(file.size()), 4);
    Put(expected, 10, 54, 4);
    Put(expected, 14, 40, 4);
    Put(expected, 18, 256, 4);
    Put(expected, 22, 512, 4);
    Put(expected, 26, 1, 2);
    Put(expected, 28, 24, 2);
    Put(expected, 34, static_cast<std::uint32_t>(pixels), 4);
    Put(expected, 38, 3780, 4);
    Put(expected, 42, 3780, 4);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 54), expected);
}
