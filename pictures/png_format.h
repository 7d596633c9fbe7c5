// The framing of a .png file shared by its readers and its writer: the signature, big-endian words and
// the walk over the chunks.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include <QByteArray>

inline constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

inline bool HasPngSignature(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kPngSignature.size() &&
           std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin());
}

inline bool HasPngSignature(const QByteArray& bytes) {
    return HasPngSignature(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                     static_cast<std::size_t>(bytes.size())));
}

inline std::uint32_t Be32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

inline void PutBe32(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value >> 24);
    out[1] = static_cast<std::uint8_t>(value >> 16);
    out[2] = static_cast<std::uint8_t>(value >> 8);
    out[3] = static_cast<std::uint8_t>(value);
}

struct PngChunk {
    std::string_view type;
    std::span<const std::uint8_t> data;
};

// The chunks of a whole .png file after its signature, each with its checksum right, up to IEND at the
// very end of the file; nothing for a file of another shape.
std::optional<std::vector<PngChunk>> PngChunks(std::span<const std::uint8_t> bytes);
