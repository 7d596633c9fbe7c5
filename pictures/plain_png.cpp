#include "pictures/plain_png.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <isa-l/igzip_lib.h>

#include "pictures/png_format.h"

namespace {

// Chunks no decoder turns into pixels: resolution, texts and the time of the last change.
constexpr std::array<std::string_view, 5> kNeutralChunks{"pHYs", "tEXt", "zTXt", "iTXt", "tIME"};

bool Neutral(std::string_view type) {
    return std::ranges::find(kNeutralChunks, type) != kNeutralChunks.end();
}

// Inflates the image data of consecutive IDAT chunks into `out`, which it must fill exactly with one
// whole zlib stream whose checksum is right. `out` holds one byte more than the rows: a stream that
// reaches it is longer than the picture.
bool InflateExactly(std::span<const PngChunk> data, std::span<std::uint8_t> out) {
    inflate_state inflater{};
    isal_inflate_init(&inflater);
    inflater.crc_flag = ISAL_ZLIB;
    inflater.next_out = out.data();
    inflater.avail_out = static_cast<std::uint32_t>(out.size());
    for (const PngChunk& chunk : data) {
        inflater.next_in = const_cast<std::uint8_t*>(chunk.data.data()); // ISA-L's field; only read
        inflater.avail_in = static_cast<std::uint32_t>(chunk.data.size());
        while (inflater.avail_in > 0 && inflater.block_state != ISAL_BLOCK_FINISH) {
            const std::uint32_t in_before = inflater.avail_in;
            const std::uint32_t out_before = inflater.avail_out;
            if (isal_inflate(&inflater) != ISAL_DECOMP_OK)
                return false;
            if (inflater.avail_in == in_before && inflater.avail_out == out_before)
                return false; // the output is full
        }
        if (inflater.avail_in > 0)
            return false; // bytes after the end of the stream
    }
    return inflater.block_state == ISAL_BLOCK_FINISH && inflater.avail_out == 1;
}

std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : (pb <= pc ? b : c));
}

// The Sub filter undone for four bytes a pixel, a pixel at a time: the four bytes are added to those
// of the pixel to the left at once, each byte wrapping on its own as the byte-wise sum does.
void UnfilterSub4(std::uint8_t* x, std::size_t bytes) {
    std::uint32_t left = 0;
    for (std::size_t i = 0; i + 4 <= bytes; i += 4) {
        std::uint32_t here;
        std::memcpy(&here, x + i, 4);
        left = ((here & 0x7F7F7F7Fu) + (left & 0x7F7F7F7Fu)) ^ ((here ^ left) & 0x80808080u);
        std::memcpy(x + i, &left, 4);
    }
}

} // namespace

bool UnfilterPngRow(std::uint8_t* row, const std::uint8_t* above, std::size_t bytes, std::size_t bpp) {
    std::uint8_t* x = row + 1;
    switch (row[0]) {
    case 0:
        return true;
    case 1:
        if (bpp == 4) {
            UnfilterSub4(x, bytes);
            return true;
        }
        for (std::size_t i = bpp; i < bytes; ++i)
            x[i] = static_cast<std::uint8_t>(x[i] + x[i - bpp]);
        return true;
    case 2:
        for (std::size_t i = 0; i < bytes; ++i)
            x[i] = static_cast<std::uint8_t>(x[i] + above[i]);
        return true;
    case 3:
        for (std::size_t i = 0; i < bytes; ++i)
            x[i] = static_cast<std::uint8_t>(x[i] + ((i >= bpp ? x[i - bpp] : 0) + above[i]) / 2);
        return true;
    case 4:
        for (std::size_t i = 0; i < bytes; ++i)
            x[i] = static_cast<std::uint8_t>(
                x[i] + Paeth(i >= bpp ? x[i - bpp] : 0, above[i], i >= bpp ? above[i - bpp] : 0));
        return true;
    default:
        return false;
    }
}

std::optional<PlainPng> DecodePlainPng(std::span<const std::uint8_t> bytes, std::uint32_t width,
                                       std::uint32_t height) {
    const auto chunks = PngChunks(bytes);
    if (!chunks || chunks->size() < 3 || (*chunks)[0].type != "IHDR" || (*chunks)[0].data.size() != 13)
        return std::nullopt;
    const std::uint8_t* header = (*chunks)[0].data.data();
    const int colour = header[9];
    if (Be32(header) != width || Be32(header + 4) != height || header[8] != 8 ||
        (colour != 2 && colour != 6) || header[10] != 0 || header[11] != 0 || header[12] != 0)
        return std::nullopt;
    // IHDR, neutral chunks, the image data, neutral chunks, IEND.
    const auto body = std::span(*chunks).subspan(1, chunks->size() - 2);
    const auto first = std::ranges::find(body, std::string_view("IDAT"), &PngChunk::type);
    const auto last = std::find_if(first, body.end(), [](const PngChunk& c) { return c.type != "IDAT"; });
    if (first == body.end() ||
        !std::all_of(body.begin(), first, [](const PngChunk& c) { return Neutral(c.type); }) ||
        !std::all_of(last, body.end(), [](const PngChunk& c) { return Neutral(c.type); }))
        return std::nullopt;

    const std::size_t bpp = colour == 6 ? 4 : 3;
    const std::size_t row_bytes = bpp * width;
    // Not cleared: the inflater must write every byte of the rows, or the picture is refused.
    const std::size_t size = (row_bytes + 1) * height;
    const std::unique_ptr<std::uint8_t[]> rows(new std::uint8_t[size + 1]);
    if (!InflateExactly(std::span(first, last), std::span(rows.get(), size + 1)))
        return std::nullopt;
    PlainPng picture;
    picture.has_alpha = colour == 6;
    picture.argb.resize(std::size_t{width} * height);
    const std::vector<std::uint8_t> none(row_bytes, 0);
    const std::uint8_t* above = none.data();
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* row = rows.get() + y * (row_bytes + 1);
        if (!UnfilterPngRow(row, above, row_bytes, bpp))
            return std::nullopt;
        above = row + 1;
        std::uint32_t* out = picture.argb.data() + y * width;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint8_t* p = above + x * bpp;
            const std::uint32_t alpha = bpp == 4 ? p[3] : 0xFF;
            out[x] = alpha << 24 | std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
        }
    }
    return picture;
}

std::optional<PlainPng> ReadPlainPng(const QString& path, std::uint32_t width, std::uint32_t height) {
    // At worst a plain file holds its rows stored uncompressed, plus texts; a larger one goes the
    // general way.
    const std::uint64_t largest = std::uint64_t{width} * height * 5 + (std::uint64_t{1} << 20);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::vector<std::uint8_t> bytes;
    std::size_t got = 0;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::uint64_t>(info.st_size) <= largest) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        for (ssize_t n = 0; got < bytes.size(); got += static_cast<std::size_t>(n)) {
            n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n <= 0)
                break;
        }
    }
    ::close(fd);
    if (bytes.empty() || got != bytes.size())
        return std::nullopt;
    return DecodePlainPng(bytes, width, height);
}
