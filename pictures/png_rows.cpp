#include "pictures/png_rows.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include <isa-l/igzip_lib.h>

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// A page picture's row is 256 pixels of at most 8 bytes; anything far wider is not one.
constexpr std::uint64_t kMaxRowBytes = std::uint64_t{1} << 20;
// Chunks before the image data are small (a palette, gamma, a profile): more is not a picture.
constexpr qsizetype kMaxChunksBeforeData = qsizetype{16} << 20;
constexpr std::size_t kInflateBytes = 64 * 1024;

struct Pass {
    std::uint32_t x0, y0, dx, dy;
};
constexpr std::array<Pass, 7> kAdam7{
    {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}};

std::uint32_t Be32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

bool ValidDepth(int colour_type, int depth) {
    switch (colour_type) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : (pb <= pc ? b : c));
}

// Rows of the passes in order, each unfiltered against the one above it in its pass.
class RowAssembler {
public:
    RowAssembler(const PngLayout& layout, const PngRowVisitor& visit) : layout_(layout), visit_(visit) {
        bpp_ = std::max<std::size_t>(1, static_cast<std::size_t>(layout.BitsPerPixel()) / 8);
        pass_ = layout.interlaced ? 0 : -1;
        StartPass();
    }

    bool Done() const { return done_; }
    bool Failed() const { return failed_; }

    // Takes inflated bytes; false once no more are wanted (all rows seen, stopped, or a bad filter).
    bool Take(const std::uint8_t* data, std::size_t size) {
        while (size > 0 && !done_) {
            const std::size_t n = std::min(size, current_.size() - filled_);
            std::memcpy(current_.data() + filled_, data, n);
            filled_ += n;
            data += n;
            size -= n;
            if (filled_ == current_.size() && !FinishRow())
                return false;
        }
        return !done_;
    }

private:
    void StartPass() {
        for (;;) {
            std::uint32_t width = layout_.width;
            std::uint32_t height = layout_.height;
            if (pass_ >= 0) {
                if (pass_ >= static_cast<int>(kAdam7.size())) {
                    done_ = true;
                    return;
                }
                const Pass& p = kAdam7[static_cast<std::size_t>(pass_)];
                width = layout_.width > p.x0 ? (layout_.width - p.x0 + p.dx - 1) / p.dx : 0;
                height = layout_.height > p.y0 ? (layout_.height - p.y0 + p.dy - 1) / p.dy : 0;
            }
            rows_left_ = width == 0 ? 0 : height;
            if (rows_left_ > 0) {
                const auto bytes = static_cast<std::size_t>(layout_.RowBytes(width));
                current_.assign(bytes + 1, 0);
                above_.assign(bytes, 0);
                filled_ = 0;
                return;
            }
            if (pass_ < 0) {
                done_ = true;
                return;
            }
            ++pass_;
        }
    }

    bool FinishRow() {
        const std::size_t bytes = above_.size();
        if (!UnfilterPngRow(current_.data(), above_.data(), bytes, bpp_)) {
            failed_ = done_ = true;
            return false;
        }
        std::memcpy(above_.data(), current_.data() + 1, bytes);
        filled_ = 0;
        if (!visit_(std::span<const std::uint8_t>(above_), pass_ + 1)) {
            done_ = true;
            return false;
        }
        if (--rows_left_ == 0) {
            if (pass_ < 0) {
                done_ = true;
                return false;
            }
            ++pass_;
            StartPass();
        }
        return !done_;
    }

    const PngLayout& layout_;
    const PngRowVisitor& visit_;
    std::size_t bpp_ = 1;
    int pass_ = -1;
    std::uint32_t rows_left_ = 0;
    std::vector<std::uint8_t> current_;
    std::vector<std::uint8_t> above_;
    std::size_t filled_ = 0;
    bool done_ = false;
    bool failed_ = false;
};

bool ReadExactly(QIODevice& device, std::uint8_t* out, qint64 size) {
    return device.read(reinterpret_cast<char*>(out), size) == size;
}

bool ReadHeader(QIODevice& device, PngLayout& layout, QString& error) {
    std::uint8_t head[8 + 8 + 13 + 4];
    if (!ReadExactly(device, head, sizeof head) || std::memcmp(head, kSignature, 8) != 0 ||
        Be32(head + 8) != 13 || std::memcmp(head + 12, "IHDR", 4) != 0) {
        error = QStringLiteral("it is not a PNG file");
        return false;
    }
    const std::uint8_t* h = head + 16;
    layout.width = Be32(h);
    layout.height = Be32(h + 4);
    layout.bit_depth = h[8];
    layout.colour_type = h[9];
    layout.interlaced = h[12] == 1;
    if (layout.width == 0 || layout.height == 0 || !ValidDepth(layout.colour_type, layout.bit_depth) ||
        h[10] != 0 || h[11] != 0 || h[12] > 1) {
        error = QStringLiteral("its header is damaged");
        return false;
    }
    if (layout.RowBytes(layout.width) > kMaxRowBytes) {
        error = QStringLiteral("it is wider than a picture of pages can be");
        return false;
    }
    return true;
}

} // namespace

namespace {

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

int PngLayout::BitsPerPixel() const {
    static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    return colour_type >= 0 && colour_type < 7 ? kChannels[colour_type] * bit_depth : 0;
}

std::uint64_t PngLayout::RowBytes(std::uint32_t pixels) const {
    return (std::uint64_t{pixels} * static_cast<std::uint64_t>(BitsPerPixel()) + 7) / 8;
}

bool ReadPngRows(QIODevice& device, PngLayout& layout, const PngRowVisitor& visit, QString& error) {
    layout = PngLayout();
    if (!ReadHeader(device, layout, error))
        return false;
    RowAssembler rows(layout, visit);
    inflate_state inflater{};
    isal_inflate_init(&inflater);
    inflater.crc_flag = ISAL_ZLIB;
    std::vector<std::uint8_t> in(kInflateBytes);
    std::vector<std::uint8_t> out(kInflateBytes);
    bool data_seen = false;
    const auto damaged = [&](const char* why) {
        error = QString::fromLatin1(why);
        return false;
    };
    while (!rows.Done()) {
        std::uint8_t chunk[8];
        if (!ReadExactly(device, chunk, 8))
            return damaged("the file is shorter than its header says");
        const std::uint32_t length = Be32(chunk);
        if (length > 0x7FFFFFFFu)
            return damaged("a chunk of the file is damaged");
        const bool data = std::memcmp(chunk + 4, "IDAT", 4) == 0;
        if (std::memcmp(chunk + 4, "IEND", 4) == 0)
            break;
        if (!data) {
            if (data_seen) { // chunks after the image data say nothing about the rows
                if (device.skip(qint64{length} + 4) != qint64{length} + 4)
                    return damaged("the file is shorter than its header says");
                continue;
            }
            if (std::memcmp(chunk + 4, "PLTE", 4) == 0)
                layout.palette_entries = static_cast<int>(std::min<std::uint32_t>(length / 3, 256));
            if (layout.chunks_before_data.size() + length > kMaxChunksBeforeData)
                return damaged("a chunk of the file is damaged");
            const qsizetype at = layout.chunks_before_data.size();
            layout.chunks_before_data.append(reinterpret_cast<const char*>(chunk), 8);
            layout.chunks_before_data.resize(at + 8 + length + 4);
            if (!ReadExactly(device,
                             reinterpret_cast<std::uint8_t*>(layout.chunks_before_data.data() + at + 8),
                             length + 4))
                return damaged("the file is shorter than its header says");
            continue;
        }
        data_seen = true;
        std::uint32_t left = length;
        while (left > 0 && !rows.Done()) {
            const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(left, in.size()));
            if (!ReadExactly(device, in.data(), n))
                return damaged("the file is shorter than its header says");
            left -= n;
            inflater.next_in = in.data();
            inflater.avail_in = n;
            std::size_t produced = 0;
            do {
                const std::uint32_t before = inflater.avail_in;
                inflater.next_out = out.data();
                inflater.avail_out = static_cast<std::uint32_t>(out.size());
                if (isal_inflate(&inflater) != ISAL_DECOMP_OK)
                    return damaged("its image data is damaged");
                produced = out.size() - inflater.avail_out;
                if (produced == 0 && inflater.avail_in > 0 && inflater.avail_in == before)
                    return damaged("its image data is damaged");
                rows.Take(out.data(), produced);
            } while (!rows.Done() && inflater.block_state != ISAL_BLOCK_FINISH &&
                     (inflater.avail_in > 0 || produced == out.size()));
        }
        if (!rows.Done() && device.skip(qint64{left} + 4) != qint64{left} + 4)
            return damaged("the file is shorter than its header says");
        if (inflater.block_state == ISAL_BLOCK_FINISH && !rows.Done())
            return damaged("the file is shorter than its header says");
    }
    if (rows.Failed())
        return damaged("its image data is damaged");
    if (!rows.Done())
        return damaged("the file is shorter than its header says");
    return true;
}

int LargestPaletteIndex(std::span<const std::uint8_t> row, int bit_depth) {
    if (bit_depth == 8)
        return row.empty() ? 0 : *std::max_element(row.begin(), row.end());
    const int mask = (1 << bit_depth) - 1;
    int largest = 0;
    for (const std::uint8_t byte : row)
        for (int shift = 8 - bit_depth; shift >= 0; shift -= bit_depth)
            largest = std::max(largest, (byte >> shift) & mask);
    return largest;
}
