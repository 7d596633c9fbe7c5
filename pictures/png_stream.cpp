#include "pictures/png_stream.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include "pictures/png_format.h"

namespace {

constexpr std::size_t kChunkBytes = 256 * 1024; // the most image data one IDAT chunk holds
constexpr std::uint8_t kFilterSub = 1;

// Sub filter: each byte less the same component of the pixel to its left.
void FilterSub(const std::uint8_t* row, std::size_t row_bytes, std::size_t bpp, std::uint8_t* out) {
    out[0] = kFilterSub;
    for (std::size_t i = 0; i < bpp; ++i)
        out[1 + i] = row[i];
    for (std::size_t i = bpp; i < row_bytes; ++i)
        out[1 + i] = static_cast<std::uint8_t>(row[i] - row[i - bpp]);
}

} // namespace

// ISA-L's deflate at its fastest level: several times zlib's speed on page art at a similar size,
// and it streams.
struct PngStream::Compressor {
    isal_zstream stream{};
    std::vector<std::uint8_t> level_buffer = std::vector<std::uint8_t>(ISAL_DEF_LVL1_DEFAULT);

    Compressor() {
        isal_deflate_init(&stream);
        stream.level = 1;
        stream.level_buf = level_buffer.data();
        stream.level_buf_size = static_cast<std::uint32_t>(level_buffer.size());
        stream.gzip_flag = IGZIP_ZLIB;
    }
};

PngStream::PngStream(std::FILE* file, std::uint32_t width, std::uint32_t height, Colour colour,
                     std::uint32_t dots_per_meter)
    : file_(file), bytes_per_pixel_(colour == Colour::rgba ? 4 : 3), rows_left_(height),
      compressor_(std::make_unique<Compressor>()), compressed_(kChunkBytes) {
    row_bytes_ = bytes_per_pixel_ * width;
    WriteBytes(kPngSignature.data(), kPngSignature.size());
    std::uint8_t header[13];
    PutBe32(header, width);
    PutBe32(header + 4, height);
    header[8] = 8;                              // bits per component
    header[9] = colour == Colour::rgba ? 6 : 2; // truecolour, with alpha or without
    header[10] = header[11] = header[12] = 0;   // deflate, adaptive filtering, not interlaced
    WriteChunk("IHDR", header, sizeof header);
    std::uint8_t resolution[9];
    PutBe32(resolution, dots_per_meter);
    PutBe32(resolution + 4, dots_per_meter);
    resolution[8] = 1; // per metre
    WriteChunk("pHYs", resolution, sizeof resolution);
}

PngStream::~PngStream() = default;

pw::Result PngStream::WriteRows(const std::uint8_t* rows, std::size_t count) {
    if (count > rows_left_)
        throw std::logic_error("PngStream: more rows than the header gives");
    if (!written_)
        return written_;
    const std::size_t filtered_row = row_bytes_ + 1;
    filtered_.resize(count * filtered_row);
    for (std::size_t i = 0; i < count; ++i)
        FilterSub(rows + i * row_bytes_, row_bytes_, bytes_per_pixel_, filtered_.data() + i * filtered_row);
    rows_left_ -= static_cast<std::uint32_t>(count);
    Compress(filtered_.data(), filtered_.size(), rows_left_ == 0);
    return written_;
}

// After a failed write the rows may stop short.
pw::Result PngStream::Finish() {
    if (rows_left_ != 0 && written_)
        throw std::logic_error("PngStream: rows missing");
    WriteChunk("IEND", nullptr, 0);
    return written_;
}

// Feeds `size` bytes to the compressor and writes out every full chunk of its output; with `last`,
// ends the zlib stream and writes what remains.
void PngStream::Compress(const std::uint8_t* data, std::size_t size, bool last) {
    isal_zstream& stream = compressor_->stream;
    stream.next_in = const_cast<std::uint8_t*>(data); // ISA-L's field is not const; it only reads
    stream.avail_in = static_cast<std::uint32_t>(size);
    stream.end_of_stream = last ? 1 : 0;
    stream.flush = NO_FLUSH;
    do {
        stream.next_out = compressed_.data();
        stream.avail_out = static_cast<std::uint32_t>(compressed_.size());
        if (isal_deflate(&stream) != COMP_OK) {
            written_ = {pw::Status::damaged_stream, "the image data could not be compressed"};
            return;
        }
        const std::size_t produced = compressed_.size() - stream.avail_out;
        if (produced > 0)
            WriteChunk("IDAT", compressed_.data(), produced);
    } while (written_ && (stream.avail_in > 0 || stream.avail_out == 0 ||
                          (last && stream.internal_state.state != ZSTATE_END)));
}

void PngStream::WriteChunk(const char* type, const std::uint8_t* data, std::size_t size) {
    std::uint8_t head[8];
    PutBe32(head, static_cast<std::uint32_t>(size));
    std::memcpy(head + 4, type, 4);
    std::uint32_t crc = crc32_gzip_refl(0, head + 4, 4);
    if (size > 0)
        crc = crc32_gzip_refl(crc, data, size);
    std::uint8_t tail[4];
    PutBe32(tail, crc);
    WriteBytes(head, sizeof head);
    if (size > 0)
        WriteBytes(data, size);
    WriteBytes(tail, sizeof tail);
}

// Writes nothing after a failure.
void PngStream::WriteBytes(const void* data, std::size_t size) {
    if (written_ && std::fwrite(data, 1, size, file_) != size)
        written_ = {pw::Status::file_error, std::strerror(errno)};
}
