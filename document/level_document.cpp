#include "document/level_document.h"

#include <vector>

#include <QFile>

#include "level/layout.h"
#include "level/object_textures.h"
#include "level/page_access.h"
#include "level/page_writing.h"

namespace {

constexpr int kSide = 256;
constexpr int kTile = 64;

// The source's pixels as 0xAARRGGBB, `size` square from (x, y) of the whole source picture; black
// where the source has no pixels.
std::vector<std::uint32_t> SourceColours(const QImage& source, int x, int y, int size, bool keep_alpha) {
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(size) * size, 0xFF000000u);
    if (source.isNull())
        return colours;
    const QImage part = source.copy(x, y, size, size)
                            .convertToFormat(keep_alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int row = 0; row < size && row < part.height(); ++row) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(part.constScanLine(row));
        std::copy(line, line + std::min(size, part.width()),
                  colours.begin() + static_cast<std::ptrdiff_t>(row) * size);
    }
    return colours;
}

// The stored 32-bit pixels of the same square, when the source kept them and holds the whole square.
std::vector<std::uint8_t> SourcePixels32(const pw::Bytes& pages32, int x, int y, int size) {
    const std::size_t row_bytes = 4 * kSide;
    if (pages32.size() < (static_cast<std::size_t>(y) + size) * row_bytes)
        return {};
    std::vector<std::uint8_t> out(static_cast<std::size_t>(size) * size * 4);
    for (int row = 0; row < size; ++row) {
        const auto* from = pages32.data() + (static_cast<std::size_t>(y) + row) * row_bytes + 4 * x;
        std::copy(from, from + 4 * size, out.begin() + static_cast<std::ptrdiff_t>(row) * size * 4);
    }
    return out;
}

} // namespace

LevelDocument::LevelDocument() = default;
LevelDocument::~LevelDocument() = default;

bool LevelDocument::HasTexture(int index) const {
    return index >= 0 && index < Level.num_object_textures &&
           static_cast<std::size_t>(index) < Level.object_textures.size();
}

int LevelDocument::Open(const QString& path, pw::Gauge* gauge) {
    matcher_.reset();
    Level.gauge = gauge;
    int result = 2;
    try {
        result = Level.LoadLevel(QFile::encodeName(path).toStdString(), false);
    } catch (...) {
        Level.Clear();
        LevelFileName.clear();
        SelectedTexture = -1;
        AnimatedSets.clear();
        emit LevelReplaced();
        throw;
    }
    if (result != 0)
        Level.Clear();
    LevelFileName = result == 0 ? path : QString();
    SelectedTexture = result == 0 && Level.num_object_textures > 0 ? 0 : -1;
    AnimatedSets = pw::ParseAnimatedSets(Level.anim_words);
    emit LevelReplaced();
    return result;
}

void LevelDocument::CloseLevel() {
    matcher_.reset();
    Level.Clear();
    LevelFileName.clear();
    SelectedTexture = -1;
    AnimatedSets.clear();
    emit LevelReplaced();
}

SourceOpenResult LevelDocument::OpenSource(const QString& path, pw::Gauge* gauge) {
    const SourceOpenResult result = OpenTextureSource(path, Source, gauge);
    if (result == SourceOpenResult::opened || result == SourceOpenResult::wrong_size)
        emit SourceReplaced();
    return result;
}

pw::PaletteMatcher* LevelDocument::Matcher() {
    if (!pw::CarriesDepth(Level.kind, pw::PageDepth::bits8))
        return nullptr;
    if (!matcher_ || !matcher_->SamePalette(Level.palette))
        matcher_ = std::make_unique<pw::PaletteMatcher>(Level.palette);
    return matcher_.get();
}

void LevelDocument::WriteFromSource(int level_page, int left, int top, int source_x, int source_y, int size) {
    const std::vector<std::uint32_t> colours =
        SourceColours(Source.SourceImage, source_x, source_y, size, Source.HasAlpha);
    std::vector<std::uint8_t> stored;
    if (pw::CarriesDepth(Level.kind, pw::PageDepth::bits32))
        stored = SourcePixels32(Source.Pages32, source_x, source_y, size);
    pw::PixelSource pixels;
    pixels.width = size;
    pixels.height = size;
    pixels.argb = colours;
    pixels.has_alpha = Source.HasAlpha;
    pixels.stored32 = stored;
    pw::WritePagePixels(Level, level_page, left, top, pixels, Matcher());
    emit PageChanged(level_page);
}

void LevelDocument::CopyTile(int level_page, int source_page, int x, int y) {
    if (!HasLevel() || level_page < 0 || level_page >= Level.num_pages)
        return;
    const int sx = x / kTile * kTile;
    const int sy = source_page * kSide + y / kTile * kTile;
    WriteFromSource(level_page, SelectedTile.Left, SelectedTile.Top, sx, sy, kTile);
}

void LevelDocument::CopyPage(int level_page, int source_page) {
    if (!HasLevel() || level_page < 0 || level_page >= Level.num_pages)
        return;
    WriteFromSource(level_page, 0, 0, 0, source_page * kSide, kSide);
}

bool LevelDocument::SetAttribute(int index, int attribute) {
    if (!HasTexture(index))
        return false;
    Level.object_textures[static_cast<std::size_t>(index)].attribute = static_cast<std::uint16_t>(attribute);
    return true;
}

bool LevelDocument::MirrorTexture(int index, bool horizontal) {
    if (!HasTexture(index))
        return false;
    auto& texture = Level.object_textures[static_cast<std::size_t>(index)];
    if (horizontal)
        pw::MirrorHorizontal(texture);
    else
        pw::MirrorVertical(texture);
    SelectedTexture = index;
    emit TexturesChanged();
    return true;
}

bool LevelDocument::PasteTexture(int from, int to) {
    if (!pw::CopyTextureRecord(Level, from, to))
        return false;
    SelectedTexture = to;
    emit TexturesChanged();
    return true;
}

int LevelDocument::DefineGrid(int page, int height) {
    if (!HasLevel())
        return -1;
    SelectedTexture = pw::DefineGridTextures(Level, page, height);
    emit TexturesChanged();
    return SelectedTexture;
}

int LevelDocument::DefineRectangle(int page, const TRect& rect) {
    if (!HasLevel() || rect.Width() <= 0 || rect.Height() <= 0)
        return -1;
    SelectedTexture = pw::AppendTexture(Level, pw::MakeRectangleTexture(Level.kind, page, rect.Left, rect.Top,
                                                                        rect.Right - 1, rect.Bottom - 1));
    emit TexturesChanged();
    return SelectedTexture;
}

int LevelDocument::CloneTexture(int index) {
    const int clone = pw::CloneTexture(Level, index);
    if (clone < 0)
        return -1;
    SelectedTexture = clone;
    emit TexturesChanged();
    return clone;
}
