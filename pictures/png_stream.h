// A PNG file written a band of rows at a time. Each row is filtered (Sub) and fed to a streaming
// deflate compressor whose zlib stream goes out in IDAT chunks as it grows, so a picture of any height
// is written with a few megabytes of buffers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "level/result.h"

class PngStream {
public:
    enum class Colour { rgb, rgba };

    // Writes the signature and the header chunks to `file`. The first failure is kept and ends the
    // writing: WriteRows and Finish return it (file_error with the system's reason, or damaged_stream
    // when the compressor fails), without the file's name.
    PngStream(std::FILE* file, std::uint32_t width, std::uint32_t height, Colour colour,
              std::uint32_t dots_per_meter);
    ~PngStream();
    PngStream(const PngStream&) = delete;
    PngStream& operator=(const PngStream&) = delete;

    // The next `count` rows, each `width` pixels of R, G, B (and A) bytes.
    [[nodiscard]] pw::Result WriteRows(const std::uint8_t* rows, std::size_t count);
    // Ends the image data and the file. Raises std::logic_error when rows are missing though every
    // write went through.
    [[nodiscard]] pw::Result Finish();

private:
    struct Compressor;

    void Compress(const std::uint8_t* data, std::size_t size, bool last);
    void WriteChunk(const char* type, const std::uint8_t* data, std::size_t size);
    void WriteBytes(const void* data, std::size_t size);

    std::FILE* file_;
    pw::Result written_; // done until a write fails
    std::size_t row_bytes_;
    std::size_t bytes_per_pixel_;
    std::uint32_t rows_left_;
    std::unique_ptr<Compressor> compressor_;
    std::vector<std::uint8_t> filtered_;
    std::vector<std::uint8_t> compressed_;
};
