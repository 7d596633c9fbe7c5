#include "pictures/png_format.h"

#include <isa-l/crc.h>

std::optional<std::vector<PngChunk>> PngChunks(std::span<const std::uint8_t> bytes) {
    if (!HasPngSignature(bytes))
        return std::nullopt;
    std::vector<PngChunk> chunks;
    std::size_t at = kPngSignature.size();
    while (chunks.empty() || chunks.back().type != "IEND") {
        if (bytes.size() - at < 12)
            return std::nullopt;
        const std::uint32_t length = Be32(bytes.data() + at);
        if (length > bytes.size() - at - 12)
            return std::nullopt;
        const std::uint8_t* type = bytes.data() + at + 4;
        if (crc32_gzip_refl(0, type, 4 + length) != Be32(type + 4 + length))
            return std::nullopt;
        chunks.push_back(
            {std::string_view(reinterpret_cast<const char*>(type), 4), bytes.subspan(at + 8, length)});
        at += 12 + std::size_t{length};
    }
    if (at != bytes.size())
        return std::nullopt;
    return chunks;
}
