// A level file as the writer produces it: a sequence of pieces (owned bytes, compressed blocks, bytes
// borrowed from the record, or segments of other files) that are written one after the other, so that
// a save never assembles a second image of the whole file nor holds blocks it only copies.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <span>
#include <vector>

#include "level/compression.h"

namespace pw {

// Bytes of an open file, copied in small steps when the level file is written.
struct FileSegment {
    std::shared_ptr<std::FILE> file;
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// Opens a regular file for reading as a shared handle; empty when it cannot be opened or is no
// regular file.
std::shared_ptr<std::FILE> OpenShared(const char* path);
// The CRC-32 of a segment; false when it cannot be read whole.
bool SegmentCrc32(const FileSegment& segment, std::uint32_t& crc);
// The bytes of a segment, copied into memory; false when it cannot be read whole.
bool ReadSegment(const FileSegment& segment, PackedBlock& into);

class LevelFile {
public:
    void Add(std::vector<std::uint8_t> bytes);
    void Add(const PackedBlock& block);
    // Bytes that must outlive this object (the record's own buffers).
    void Add(std::span<const std::uint8_t> borrowed);
    // Borrowed little-endian 16-bit words, written with the opaque flag set on every word that is not 0
    // (a small step at a time, so the record's words stay as they are and no copy of them is made).
    void AddWithOpaqueFlags(std::span<const std::uint8_t> borrowed_words);
    void Add(FileSegment segment);

    std::uint64_t Size() const;
    // The offset in the file where piece `index` starts.
    std::uint64_t OffsetOf(std::size_t index) const;
    std::size_t PieceCount() const { return pieces_.size(); }
    // Writes every piece in order. Raises FileIoError.
    void WriteTo(std::FILE* out, const std::string& name) const;
    // The whole file in one buffer.
    std::vector<std::uint8_t> Join() const;

private:
    struct Piece {
        std::span<const std::uint8_t> bytes;
        FileSegment segment; // used when segment.file is set
        bool set_opaque_flags = false;
    };
    // Calls `use` with the bytes of `piece` in order; false when a segment cannot be read whole.
    template <typename Use> static bool ForEachPart(const Piece& piece, Use use);
    std::deque<std::vector<std::uint8_t>> owned_;
    std::vector<PackedBlock> blocks_;
    std::vector<Piece> pieces_;
};

} // namespace pw
