// The fast way through plain .png files: it gives exactly what Qt's reader gives, and it leaves every
// file that is not plain to that reader.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include <QBuffer>
#include <QImage>

#include <libdeflate.h>

#include "pictures/plain_png.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kSide = 256;

std::uint32_t Be32(const Bytes& b, std::size_t at) {
    return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 |
           b[at + 3];
}

void PutBe32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// Noise with every alpha from 0 to 255, so transparent pixels carry colours too.
QImage Noise(QImage::Format format) {
    QImage image(kSide, kSide, format);
    std::mt19937 random(7);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            image.setPixel(x, y, x < 128 ? random() : qRgba(x, y, (x * y) & 0xFF, (x + y) & 0xFF));
    return image;
}

Bytes Png(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return Bytes(data.begin(), data.end());
}

// Offsets of the chunks after the signature.
std::vector<std::size_t> ChunkOffsets(const Bytes& png) {
    std::vector<std::size_t> at;
    for (std::size_t i = 8; i + 12 <= png.size(); i += 12 + Be32(png, i))
        at.push_back(i);
    return at;
}

std::size_t ChunkAt(const Bytes& png, const char* type) {
    for (const std::size_t at : ChunkOffsets(png))
        if (std::memcmp(png.data() + at + 4, type, 4) == 0)
            return at;
    return 0;
}

void FixCrc(Bytes& png, std::size_t chunk) {
    const std::uint32_t length = Be32(png, chunk);
    PutBe32(png, chunk + 8 + length, libdeflate_crc32(0, png.data() + chunk + 4, 4 + length));
}

Bytes WithChunkBeforeData(Bytes png, const std::string& type, const Bytes& data) {
    Bytes chunk(12 + data.size());
    PutBe32(chunk, 0, static_cast<std::uint32_t>(data.size()));
    std::memcpy(chunk.data() + 4, type.data(), 4);
    std::copy(data.begin(), data.end(), chunk.begin() + 8);
    FixCrc(chunk, 0);
    png.insert(png.begin() + static_cast<std::ptrdiff_t>(ChunkAt(png, "IDAT")), chunk.begin(), chunk.end());
    return png;
}

TEST(PlainPng, DecodesExactlyWhatQtsReaderGives) {
    for (const auto format : {QImage::Format_ARGB32, QImage::Format_RGB32}) {
        const Bytes png = Png(Noise(format));
        const QImage expected = QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG");
        const auto plain = DecodePlainPng(png, kSide, kSide);
        ASSERT_TRUE(plain.has_value()) << format;
        EXPECT_EQ(plain->has_alpha, expected.hasAlphaChannel());
        const QImage shown = expected.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                ASSERT_EQ(plain->argb[static_cast<std::size_t>(y * kSide + x)], shown.pixel(x, y))
                    << format << " at " << x << ", " << y;
    }
}

TEST(PlainPng, LeavesEveryOtherFileToTheGeneralReader) {
    const Bytes good = Png(Noise(QImage::Format_ARGB32));
    ASSERT_TRUE(DecodePlainPng(good, kSide, kSide).has_value());
    const std::size_t data = ChunkAt(good, "IDAT");
    const std::size_t data_end = data + 8 + Be32(good, data);

    Bytes damaged = good; // the image data's chunk checksum wrong, the data intact
    damaged[data_end] ^= 0x40;
    Bytes wrong_adler = good; // the zlib checksum changed, the chunk's checksum made to fit
    wrong_adler[data_end - 1] ^= 0x01;
    FixCrc(wrong_adler, data);
    Bytes trailing = good;
    trailing.push_back(0);
    Bytes truncated(good.begin(), good.end() - 12); // no IEND
    Bytes interlaced = good;
    interlaced[8 + 8 + 12] = 1;
    FixCrc(interlaced, 8);
    const Bytes gamma = WithChunkBeforeData(good, "gAMA", {0, 0, 0xB1, 0x8F});
    const Bytes transparent_key = Png(Noise(QImage::Format_RGB32));
    const Bytes keyed = WithChunkBeforeData(transparent_key, "tRNS", {0, 1, 0, 2, 0, 3});
    const Bytes palette = Png(Noise(QImage::Format_ARGB32).convertToFormat(QImage::Format_Indexed8));

    const std::pair<const char*, const Bytes*> others[] = {
        {"damaged", &damaged},           {"wrong zlib checksum", &wrong_adler},
        {"bytes after IEND", &trailing}, {"no IEND", &truncated},
        {"interlaced", &interlaced},     {"gamma", &gamma},
        {"colour key", &keyed},          {"palette", &palette}};
    for (const auto& [name, png] : others)
        EXPECT_FALSE(DecodePlainPng(*png, kSide, kSide).has_value()) << name;
    EXPECT_FALSE(DecodePlainPng(good, kSide, kSide + 1).has_value()) << "another size";
}

} // namespace
