// Reading pictures to copy from, refusing damaged ones, and writing the stacked export a band at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <QImage>
#include <QString>

#include <sys/stat.h>

#include "level/page_export.h"
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
// carry 5-6-5 masks.
Bytes Bmp(int height, int bits, std::size_t pixel_bytes, std::uint32_t offset = 0) {
    const std::size_t headers = bits == 16 ? 66 : 54;
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
    Put(b, 30, bits == 16 ? 3 : 0, 4);
    if (bits == 16) {
        Put(b, 54, 0xF800, 4);
        Put(b, 58, 0x07E0, 4);
        Put(b, 62, 0x001F, 4);
    }
    return b;
}

// The percents a gauge was given, in order.
struct RecordingGauge : pw::Gauge {
    std::vector<int> percents;
    void SetProgress(int percent) override { percents.push_back(percent); }
};

PictureReading Read(const std::string& path) {
    return ReadPictureFile(QString::fromStdString(path));
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
    EXPECT_EQ(Read(dir.File("whole.bmp")).fault, PictureReading::Fault::none);
    for (const auto& [what, bytes] : damaged) {
        WriteFile(dir.File("damaged.bmp"), bytes);
        const PictureReading reading = Read(dir.File("damaged.bmp"));
        EXPECT_EQ(reading.fault, PictureReading::Fault::unreadable) << what;
        EXPECT_TRUE(reading.image.isNull()) << what;
        EXPECT_TRUE(reading.error.contains("shorter than its header says")) << what;
    }
}

TEST(PictureFiles, OnlyRegularFilesAreRead) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("folder.bmp"));
    ASSERT_EQ(::mkfifo(dir.File("pipe.png").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.File("zero.png"));
    EXPECT_EQ(Read(dir.File("folder.bmp")).fault, PictureReading::Fault::folder);
    EXPECT_EQ(Read(dir.File("pipe.png")).fault, PictureReading::Fault::not_a_file);
    EXPECT_EQ(Read(dir.File("zero.png")).fault, PictureReading::Fault::not_a_file);
    EXPECT_EQ(Read(dir.File("missing.png")).fault, PictureReading::Fault::not_found);
}

TEST(PictureFiles, SixteenBitColoursRepeatTheirHighBits) {
    TempDir dir;
    Bytes bmp = Bmp(256, 16, 256 * 512);
    Put(bmp, 66, 0xFFFF, 2);                      // white
    Put(bmp, 68, 0x0821, 2);                      // the smallest step of each component
    Put(bmp, 70, (16 << 11) | (32 << 5) | 16, 2); // the middle of each
    WriteFile(dir.File("565.bmp"), bmp);
    const QImage image = Read(dir.File("565.bmp")).image;
    ASSERT_FALSE(image.isNull());
    const int bottom = 255; // rows are stored bottom up
    EXPECT_EQ(image.pixel(0, bottom), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(1, bottom), qRgb(8, 4, 8));
    EXPECT_EQ(image.pixel(2, bottom), qRgb(132, 130, 132));
}

TEST(PictureFiles, StreamedExportsHoldThePagesInEitherFormat) {
    TempDir dir;
    pw::Ttrlevel level;
    level.kind = pw::kind_tr4;
    level.num_pages = 3;
    level.pages16 = pw::fixtures::Pattern(3 * 256 * 256 * 2, 7);
    level.pages32 = pw::fixtures::Pattern(3 * 256 * 256 * 4 - 1000, 9); // the last rows missing
    const std::vector<std::uint8_t> rgb = pw::ExportPixelsRgb(level);
    for (const char* name : {"pages.bmp", "pages.PNG"}) {
        RecordingGauge gauge;
        WritePictureExport(level, dir.File(name), ExportDepth::shown24, &gauge);
        EXPECT_TRUE(std::is_sorted(gauge.percents.begin(), gauge.percents.end())) << name;
        EXPECT_GT(gauge.percents.size(), 2u) << name; // moves along, not only at the end
        EXPECT_EQ(gauge.percents.back(), 100) << name;
        const QImage image =
            QImage(QString::fromStdString(dir.File(name))).convertToFormat(QImage::Format_RGB888);
        ASSERT_EQ(image.size(), QSize(256, 768)) << name;
        for (int y = 0; y < image.height(); ++y)
            ASSERT_EQ(std::memcmp(image.constScanLine(y), rgb.data() + y * 768, 768), 0)
                << name << " row " << y;
    }
    WritePictureExport(level, dir.File("pages32.png"), ExportDepth::stored32);
    const QImage image =
        QImage(QString::fromStdString(dir.File("pages32.png"))).convertToFormat(QImage::Format_ARGB32);
    const std::vector<std::uint8_t> bgra = pw::ExportPixels32(level);
    for (int y = 0; y < image.height(); ++y)
        ASSERT_EQ(std::memcmp(image.constScanLine(y), bgra.data() + y * 1024, 1024), 0) << "row " << y;
}
