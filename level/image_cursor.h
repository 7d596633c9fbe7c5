// A bounds-checked little-endian reader over a file image, used by the level reader.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "level/level_errors.h"

namespace pw {

class ImageCursor {
public:
    // `base`: where the image starts in what `image_name` names, so that reasons give offsets there.
    explicit ImageCursor(std::span<const std::uint8_t> image, const char* image_name = "the file",
                         std::size_t base = 0)
        : image_(image), image_name_(image_name), base_(base) {}

    // Names the part being read, for the reason given when the file turns out to be invalid.
    void SetSection(std::string name) { section_ = std::move(name); }
    const std::string& Section() const { return section_; }
    // An InvalidLevelFile that says where reading stopped and why.
    InvalidLevelFile Invalid(const std::string& what) const {
        return InvalidLevelFile(section_ + ": " + what + " (offset " + std::to_string(base_ + position_) +
                                " in " + image_name_ + ")");
    }

    std::size_t Position() const { return position_; }
    std::size_t Size() const { return image_.size(); }
    std::size_t Remaining() const { return image_.size() - position_; }
    void Seek(std::size_t p) { position_ = std::min(p, image_.size()); }

    // Fixed-size fields. A file that ends inside one has been cut short: it is not a level that
    // can be edited and saved again without losing what is missing.
    void Read(void* destination, std::size_t n) {
        if (n > Remaining())
            throw Invalid("the file ends inside this section");
        if (n > 0)
            std::memcpy(destination, image_.data() + position_, n);
        position_ += n;
    }
    std::uint8_t U8() {
        std::uint8_t b[1] = {0};
        Read(b, 1);
        return b[0];
    }
    std::uint16_t U16() {
        std::uint8_t b[2] = {0, 0};
        Read(b, 2);
        return static_cast<std::uint16_t>(b[0] | b[1] << 8);
    }
    std::uint32_t U32() {
        std::uint8_t b[4] = {0, 0, 0, 0};
        Read(b, 4);
        return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
               static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

    // Counted data: a count that claims more bytes than remain makes the file invalid, before
    // anything is allocated for it.
    void Require(std::uint64_t count, std::uint64_t element_size) const {
        if (element_size != 0 && count > Remaining() / element_size)
            throw Invalid("a count claims more bytes than the file holds");
    }
    std::span<const std::uint8_t> Take(std::uint64_t n) {
        Require(n, 1);
        auto s = image_.subspan(position_, static_cast<std::size_t>(n));
        position_ += s.size();
        return s;
    }
    // Fills `destination` (already sized) from the next destination.size() bytes, which must exist.
    void ReadCounted(std::vector<std::uint8_t>& destination) {
        auto s = Take(destination.size());
        std::copy(s.begin(), s.end(), destination.begin());
    }
    std::span<const std::uint8_t> Rest() const { return image_.subspan(position_); }

private:
    std::span<const std::uint8_t> image_;
    const char* image_name_;
    std::size_t base_ = 0;
    std::string section_ = "head";
    std::size_t position_ = 0;
};

} // namespace pw
