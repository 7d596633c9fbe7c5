#include "level/level_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "level/block_content.h"
#include "level/level_errors.h"

namespace pw {
namespace {

constexpr std::size_t kCopyStep = std::size_t{1} << 20;

// Calls `use` with each step of a segment; false when the segment cannot be read whole.
template <typename Use> bool ForEachStep(const FileSegment& segment, Use use) {
    std::vector<std::uint8_t> step(
        static_cast<std::size_t>(std::min<std::uint64_t>(segment.length, kCopyStep)));
    if (std::fseek(segment.file.get(), static_cast<long>(segment.offset), SEEK_SET) != 0)
        return false;
    for (std::uint64_t done = 0; done < segment.length;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(segment.length - done, kCopyStep));
        if (std::fread(step.data(), 1, n, segment.file.get()) != n)
            return false;
        use(std::span<const std::uint8_t>(step.data(), n));
        done += n;
    }
    return true;
}

} // namespace

std::shared_ptr<std::FILE> OpenShared(const char* path) {
    // Opened without waiting: a pipe put in the file's place since it was read would block the open.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info {};
    std::FILE* f = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? ::fdopen(fd, "rb") : nullptr;
    if (!f) {
        ::close(fd);
        return {};
    }
    return std::shared_ptr<std::FILE>(f, [](std::FILE* p) { std::fclose(p); });
}

bool SegmentCrc32(const FileSegment& segment, std::uint32_t& crc) {
    std::uint32_t running = 0;
    const bool whole = ForEachStep(
        segment, [&running](std::span<const std::uint8_t> s) { running = Crc32Continue(running, s); });
    crc = running;
    return whole;
}

bool ReadSegment(const FileSegment& segment, PackedBlock& into) {
    PackedBlock block;
    block.size = static_cast<std::size_t>(segment.length);
    block.data = std::shared_ptr<std::uint8_t[]>(new std::uint8_t[block.size]);
    std::size_t at = 0;
    if (!ForEachStep(segment, [&](std::span<const std::uint8_t> s) {
            std::copy(s.begin(), s.end(), block.data.get() + at);
            at += s.size();
        }))
        return false;
    into = std::move(block);
    return true;
}

void LevelFile::Add(std::vector<std::uint8_t> bytes) {
    owned_.push_back(std::move(bytes));
    pieces_.push_back({owned_.back(), {}});
}

void LevelFile::Add(const PackedBlock& block) {
    blocks_.push_back(block);
    pieces_.push_back({block.Bytes(), {}});
}

void LevelFile::Add(std::span<const std::uint8_t> borrowed) {
    pieces_.push_back({borrowed, {}});
}

void LevelFile::AddWithOpaqueFlags(std::span<const std::uint8_t> borrowed_words) {
    pieces_.push_back({borrowed_words, {}, true});
}

void LevelFile::Add(FileSegment segment) {
    pieces_.push_back({{}, std::move(segment)});
}

template <typename Use> bool LevelFile::ForEachPart(const Piece& piece, Use use) {
    if (piece.segment.file)
        return ForEachStep(piece.segment, use);
    if (!piece.set_opaque_flags) {
        use(piece.bytes);
        return true;
    }
    // The step is even, so a word never straddles two steps.
    std::vector<std::uint8_t> step;
    for (std::size_t at = 0; at < piece.bytes.size(); at += kCopyStep) {
        const auto part = piece.bytes.subspan(at, std::min(kCopyStep, piece.bytes.size() - at));
        step.assign(part.begin(), part.end());
        SetOpaqueFlags(step);
        use(std::span<const std::uint8_t>(step));
    }
    return true;
}

std::uint64_t LevelFile::OffsetOf(std::size_t index) const {
    std::uint64_t n = 0;
    for (std::size_t i = 0; i < index && i < pieces_.size(); ++i)
        n += pieces_[i].segment.file ? pieces_[i].segment.length : pieces_[i].bytes.size();
    return n;
}

std::uint64_t LevelFile::Size() const {
    return OffsetOf(pieces_.size());
}

void LevelFile::WriteTo(std::FILE* out, const std::string& name) const {
    const auto write = [out, &name](std::span<const std::uint8_t> data) {
        if (!data.empty() && std::fwrite(data.data(), 1, data.size(), out) != data.size())
            throw FileIoError("Cannot write file " + name + ": " + std::strerror(errno));
    };
    for (const Piece& p : pieces_)
        if (!ForEachPart(p, write))
            throw FileIoError("Cannot write file " + name + ": a block to copy could not be read");
}

std::vector<std::uint8_t> LevelFile::Join() const {
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(Size()));
    const auto append = [&out](std::span<const std::uint8_t> data) {
        out.insert(out.end(), data.begin(), data.end());
    };
    for (const Piece& p : pieces_)
        if (!ForEachPart(p, append))
            throw FileIoError("A block to copy could not be read");
    return out;
}

} // namespace pw
