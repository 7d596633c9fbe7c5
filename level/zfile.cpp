#include "level/zfile.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "level/compression.h"
#include "level/file_replace.h"
#include "level/layout.h"
#include "level/level_errors.h"

namespace pw {
namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

void PutU32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

} // namespace

std::vector<std::uint8_t> UnwrapZlibContainer(std::vector<std::uint8_t> file_bytes, bool& wrapped) {
    wrapped = false;
    if (file_bytes.size() <= layout::kZlibWrapperHead || U32At(file_bytes, 0) != layout::kZlibMagic)
        return file_bytes;
    const std::size_t packed = U32At(file_bytes, 4);
    const std::size_t unpacked = U32At(file_bytes, 8);
    if (packed > file_bytes.size() - layout::kZlibWrapperHead)
        throw InvalidLevelFile("ZLIB wrapper: the compressed file claims more bytes than it holds");
    std::vector<std::uint8_t> content;
    ZlibInflate(std::span(file_bytes).subspan(layout::kZlibWrapperHead, packed), unpacked,
                layout::kMaxWrappedBytes, content);
    wrapped = true;
    return content;
}

std::vector<std::uint8_t> WrapZlibContainer(std::span<const std::uint8_t> content) {
    const std::vector<std::uint8_t> packed = ZlibCompress(content);
    std::vector<std::uint8_t> out;
    out.reserve(layout::kZlibWrapperHead + packed.size());
    PutU32(out, layout::kZlibMagic);
    PutU32(out, static_cast<std::uint32_t>(packed.size()));
    PutU32(out, static_cast<std::uint32_t>(content.size()));
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

void ZFile::Assign(const std::string& file_name) {
    file_name_ = file_name;
    compressed = false;
}

std::size_t ZFile::OpenRead(std::uint16_t record_size) {
    record_size_ = record_size;
    LoadImage(ReadWholeFile(file_name_));
    return image_.size();
}

std::size_t ZFile::OpenImage(std::vector<std::uint8_t> file_bytes, std::uint16_t record_size) {
    record_size_ = record_size;
    LoadImage(std::move(file_bytes));
    return image_.size();
}

void ZFile::LoadImage(std::vector<std::uint8_t> file_bytes) {
    position_ = 0;
    image_ = UnwrapZlibContainer(std::move(file_bytes), compressed);
}

void ZFile::OpenWrite(std::uint16_t record_size) {
    record_size_ = record_size;
    image_.clear();
    image_.reserve(65536);
    position_ = 0;
}

std::size_t ZFile::Read(void* destination, std::size_t count) {
    const std::size_t n = std::min(count * record_size_, image_.size() - position_);
    if (n > 0)
        std::memcpy(destination, image_.data() + position_, n);
    position_ += n;
    return n;
}

void ZFile::Write(const void* source, std::size_t count) {
    const std::size_t n = count * record_size_;
    if (image_.size() - position_ < n)
        image_.resize(position_ + n);
    if (n > 0)
        std::memcpy(image_.data() + position_, source, n);
    position_ += n;
}

void ZFile::Seek(std::size_t position) {
    position_ = std::min(position, image_.size());
}

void ZFile::Close(bool write) {
    Result written;
    if (write)
        written = compressed ? ReplaceFileContents(file_name_, WrapZlibContainer(image_))
                             : ReplaceFileContents(file_name_, image_);
    image_ = {};
    position_ = 0;
    if (!written)
        throw FileIoError(written.reason);
}

std::vector<std::uint8_t> ZFile::TakeImage() {
    position_ = 0;
    return std::exchange(image_, {});
}

void ZFile::ReplaceImage(std::vector<std::uint8_t> image) {
    image_ = std::move(image);
    position_ = 0;
}

} // namespace pw
