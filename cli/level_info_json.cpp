#include "cli/level_info_json.h"

#include <span>
#include <sstream>

#include "level/compression.h"
#include "level/layout.h"

namespace pw {
namespace {

template <typename T> void JoinNumbers(std::ostringstream& out, const T& values) {
    out << '[';
    bool first = true;
    for (const auto& v : values) {
        out << (first ? "" : ", ") << static_cast<unsigned long long>(v);
        first = false;
    }
    out << ']';
}

void WriteObjectTexture(std::ostringstream& out, const tobjtexture& t) {
    out << "{\"attribute\": " << t.attribute << ", \"tile\": " << t.tile << ", \"new_flags\": " << t.new_flags
        << ", \"vertices\": [";
    for (std::size_t i = 0; i < t.vertices.size(); ++i) {
        const auto& v = t.vertices[i];
        out << (i ? ", " : "") << '[' << int{v.xcoord} << ", " << int{v.xpixel} << ", " << int{v.ycoord}
            << ", " << int{v.ypixel} << ']';
    }
    out << "], \"base_u\": " << t.base_u << ", \"base_v\": " << t.base_v << ", \"width\": " << t.width
        << ", \"height\": " << t.height << ", \"trc_extra\": " << t.trc_extra << '}';
}

// The CRC-32 of each page of one depth.
void WritePageCrcs(std::ostringstream& out, const Bytes& pages, std::size_t page_size,
                   std::int32_t num_pages) {
    std::vector<std::uint32_t> crcs;
    for (std::size_t p = 0; p < static_cast<std::size_t>(num_pages > 0 ? num_pages : 0); ++p) {
        if ((p + 1) * page_size > pages.size())
            break;
        crcs.push_back(Crc32(std::span(pages).subspan(p * page_size, page_size)));
    }
    JoinNumbers(out, crcs);
}

// The counts, object textures and animated-texture words, read after the pages.
void WriteSectionsAfterPages(std::ostringstream& out, const Ttrlevel& level) {
    out << ", \"num_rooms\": " << level.num_rooms
        << ", \"num_object_textures\": " << level.num_object_textures
        << ", \"num_anim_words\": " << level.num_anim_words << ", \"anim_words\": ";
    JoinNumbers(out, level.anim_words);
    out << ", \"object_textures\": [";
    for (std::size_t i = 0; i < level.object_textures.size(); ++i) {
        out << (i ? ", " : "");
        WriteObjectTexture(out, level.object_textures[i]);
    }
    out << "], \"samples_size\": " << level.samples_size;
}

} // namespace

std::string LevelInfoJson(const Ttrlevel& level, bool textures_only) {
    std::ostringstream out;
    out << "{\"kind\": " << level.kind << ", \"version\": " << level.version
        << ", \"num_pages\": " << level.num_pages;
    if (!textures_only || !TexturesOnlyStopsAfterPages(level.kind))
        WriteSectionsAfterPages(out, level);
    out << ", \"page_crc32\": {";
    const char* sep = "";
    if (level.kind >= kind_tr1 && level.kind <= kind_tr3) {
        out << "\"8\": ";
        WritePageCrcs(out, level.pages8, layout::kPage8Bytes, level.num_pages);
        sep = ", ";
    }
    if (level.kind >= kind_tr2) {
        out << sep << "\"16\": ";
        WritePageCrcs(out, level.pages16, layout::kPage16Bytes, level.num_pages);
    }
    if (level.kind >= kind_tr4) {
        out << ", \"32\": ";
        WritePageCrcs(out, level.pages32, layout::kPage32Bytes, level.num_pages);
    }
    out << "}}";
    return out.str();
}

} // namespace pw
