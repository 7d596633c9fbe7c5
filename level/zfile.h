// ZFile: a file held wholly in memory. Opening for reading loads the file and undoes the optional
// "ZLIB" wrapper; reads and writes then work on the image at a position; closing after writing puts
// the image into the file in one piece.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pw {

class ZFile {
public:
    void Assign(const std::string& file_name);
    // Loads the assigned file; returns the image size. Raises FileIoError, CompressionError,
    // InvalidLevelFile (a wrapper whose sizes claim more than the file holds).
    std::size_t OpenRead(std::uint16_t record_size);
    // The same loading, on file bytes already in memory.
    std::size_t OpenImage(std::vector<std::uint8_t> file_bytes, std::uint16_t record_size);
    // Starts an empty image. The file itself is only touched by Close(true).
    void OpenWrite(std::uint16_t record_size);

    // Copies up to count records from the position; fewer at the end of the image. Returns bytes copied.
    std::size_t Read(void* destination, std::size_t count);
    // Writes count records at the position, overwriting or extending the image.
    void Write(const void* source, std::size_t count);
    void Seek(std::size_t position);
    std::size_t Position() const { return position_; }
    std::size_t Size() const { return image_.size(); }
    // With write set, puts the image into the file (wrapped when `compressed`), replacing the file
    // only once the new content is complete. Releases the image either way.
    void Close(bool write);

    const std::vector<std::uint8_t>& Image() const { return image_; }
    // Hands over the image, leaving the container empty at position 0.
    std::vector<std::uint8_t> TakeImage();
    // Puts a new image in place of the current one, at position 0.
    void ReplaceImage(std::vector<std::uint8_t> image);

    bool compressed = false;

private:
    void LoadImage(std::vector<std::uint8_t> file_bytes);

    std::string file_name_;
    std::vector<std::uint8_t> image_;
    std::size_t position_ = 0;
    std::uint16_t record_size_ = 1;
};

// Undoes the "ZLIB" wrapper when `file_bytes` carry one; otherwise returns them unchanged.
// Sets `wrapped` accordingly.
std::vector<std::uint8_t> UnwrapZlibContainer(std::vector<std::uint8_t> file_bytes, bool& wrapped);
// The wrapper around `content`: magic, packed size, unpacked size, zlib stream.
std::vector<std::uint8_t> WrapZlibContainer(std::span<const std::uint8_t> content);

} // namespace pw
