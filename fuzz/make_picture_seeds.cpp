// Writes the seed corpus of the picture fuzz target: page-sized pictures in the forms the reader meets,
// .png (colour, alpha, 16 bits, palette, grey, a double page, a wrong width) and .bmp (24, 8 and 1 bits from
// Qt's writer; 16 bits with 5-6-5 masks and plain 5-5-5, the oldest 12-byte header, rows top down and
// run-length coded 8 bits, made here byte by byte).
#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include "fuzz/seed_folder.h"

namespace {

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

QImage Page(int width = 256, int height = 256) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x, y & 255, (x ^ y) & 255, (x / 64 + y / 64) % 2 ? 255 : 0));
    return image;
}

void Put(QByteArray& b, int at, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<char>(value >> (8 * i));
}

// Headers of a 256-wide BMP: `header_size` 12 or 40, `colours` palette entries after them.
QByteArray BmpHeaders(int header_size, int height, int bits, int compression, int masks, int colours) {
    const int palette_entry = header_size == 12 ? 3 : 4;
    QByteArray b(14 + header_size + 4 * masks + palette_entry * colours, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 10, static_cast<quint32>(b.size()), 4);
    Put(b, 14, static_cast<quint32>(header_size), 4);
    if (header_size == 12) {
        Put(b, 18, 256, 2);
        Put(b, 20, static_cast<quint32>(height), 2);
        Put(b, 22, 1, 2);
        Put(b, 24, static_cast<quint32>(bits), 2);
    } else {
        Put(b, 18, 256, 4);
        Put(b, 22, static_cast<quint32>(height), 4);
        Put(b, 26, 1, 2);
        Put(b, 28, static_cast<quint32>(bits), 2);
        Put(b, 30, static_cast<quint32>(compression), 4);
        Put(b, 46, static_cast<quint32>(colours), 4);
    }
    for (int i = 0; i < colours; ++i)
        for (int c = 0; c < 3; ++c)
            b[14 + header_size + 4 * masks + palette_entry * i + c] = static_cast<char>(i * (c + 1));
    return b;
}

QByteArray Bmp16(bool with_masks) {
    QByteArray b = BmpHeaders(40, 256, 16, with_masks ? 3 : 0, with_masks ? 3 : 0, 0);
    if (with_masks) {
        Put(b, 54, 0xF800, 4);
        Put(b, 58, 0x07E0, 4);
        Put(b, 62, 0x001F, 4);
    }
    for (int i = 0; i < 256 * 256; ++i)
        b.append(static_cast<char>(i)).append(static_cast<char>(i >> 8));
    Put(b, 2, static_cast<quint32>(b.size()), 4);
    return b;
}

QByteArray BmpCore24() {
    QByteArray b = BmpHeaders(12, 256, 24, 0, 0, 0);
    for (int i = 0; i < 256 * 256 * 3; ++i)
        b.append(static_cast<char>(i / 7));
    Put(b, 2, static_cast<quint32>(b.size()), 4);
    return b;
}

QByteArray Bmp8TopDown() {
    QByteArray b = BmpHeaders(40, -256, 8, 0, 0, 256);
    for (int i = 0; i < 256 * 256; ++i)
        b.append(static_cast<char>(i % 251));
    Put(b, 2, static_cast<quint32>(b.size()), 4);
    return b;
}

// Every row two runs of 128 pixels, then the end of the line; the end of the picture last.
QByteArray BmpRle8() {
    QByteArray b = BmpHeaders(40, 256, 8, 1, 0, 16);
    for (int y = 0; y < 256; ++y)
        b.append(char(128)).append(char(y % 16)).append(char(128)).append(char(15 - y % 16)).append(2, '\0');
    b.append('\0').append('\1');
    Put(b, 2, static_cast<quint32>(b.size()), 4);
    return b;
}

} // namespace

int main(int argc, char** argv) {
    const auto seeds = pw::fuzz::SeedFolder::FromArguments(argc, argv);
    if (!seeds)
        return 2;
    const QImage page = Page();
    seeds->Write("rgb.png", Encoded(page.convertToFormat(QImage::Format_RGB32), "png"));
    seeds->Write("alpha.png", Encoded(page, "png"));
    seeds->Write("palette.png", Encoded(page.convertToFormat(QImage::Format_Indexed8), "png"));
    seeds->Write("grey.png", Encoded(page.convertToFormat(QImage::Format_Grayscale8), "png"));
    seeds->Write("rgba16.png", Encoded(page.convertToFormat(QImage::Format_RGBA64), "png"));
    seeds->Write("two-pages.png", Encoded(Page(256, 512), "png"));
    seeds->Write("narrow.png", Encoded(Page(255, 256), "png"));
    seeds->Write("rgb24.bmp", Encoded(page.convertToFormat(QImage::Format_RGB32), "bmp"));
    seeds->Write("palette8.bmp", Encoded(page.convertToFormat(QImage::Format_Indexed8), "bmp"));
    seeds->Write("mono.bmp", Encoded(page.convertToFormat(QImage::Format_Mono), "bmp"));
    seeds->Write("565.bmp", Bmp16(true));
    seeds->Write("555.bmp", Bmp16(false));
    seeds->Write("core24.bmp", BmpCore24());
    seeds->Write("top-down8.bmp", Bmp8TopDown());
    seeds->Write("rle8.bmp", BmpRle8());
    return 0;
}
