#include "level/level_file.h"

#include <utility>

namespace pw {

void LevelFile::Add(std::vector<std::uint8_t> bytes) {
    owned_.push_back(std::move(bytes));
    pieces_.push_back(owned_.back());
}

void LevelFile::Add(const PackedBlock& block) {
    blocks_.push_back(block);
    pieces_.push_back(block.Bytes());
}

void LevelFile::Add(std::span<const std::uint8_t> borrowed) {
    pieces_.push_back(borrowed);
}

std::size_t LevelFile::Size() const {
    std::size_t n = 0;
    for (const auto& p : pieces_)
        n += p.size();
    return n;
}

std::vector<std::uint8_t> LevelFile::Join() const {
    std::vector<std::uint8_t> out;
    out.reserve(Size());
    for (const auto& p : pieces_)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace pw
