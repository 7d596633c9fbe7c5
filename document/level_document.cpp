#include "document/level_document.h"

#include "document/level_outcome.h"

#include <vector>

#include <QFile>
#include <QSignalBlocker>

#include "level/layout.h"
#include "level/object_textures.h"
#include "level/page_access.h"
#include "level/page_writing.h"
#include "pictures/picture_bridge.h"

namespace {

constexpr int kSide = pw::layout::kPageSide;
constexpr int kTile = 64;

// The stored pixels (`bytes` each) of the same square, when the source kept them and holds the whole
// square.
std::vector<std::uint8_t> SourceStored(const pw::Bytes& pages, std::size_t bytes, int x, int y, int size) {
    const std::size_t row_bytes = bytes * kSide;
    if (pages.size() < (static_cast<std::size_t>(y) + size) * row_bytes)
        return {};
    const std::size_t out_row = bytes * static_cast<std::size_t>(size);
    std::vector<std::uint8_t> out(out_row * static_cast<std::size_t>(size));
    for (int row = 0; row < size; ++row) {
        const auto* from = pages.data() + (static_cast<std::size_t>(y) + row) * row_bytes + bytes * x;
        std::copy(from, from + out_row, out.begin() + static_cast<std::ptrdiff_t>(row * out_row));
    }
    return out;
}

} // namespace

LevelDocument::LevelDocument() {
    ConnectHistory();
}

LevelDocument::~LevelDocument() {
    // The commands call back into the document; they go before its members do.
    QSignalBlocker quiet(history_);
    history_.clear();
}

bool LevelDocument::HasTexture(int index) const {
    return index >= 0 && index < level_.num_object_textures &&
           static_cast<std::size_t>(index) < level_.object_textures.size();
}

void LevelDocument::SetSelectedTile(const TRect& tile) {
    if (tile == selected_tile_)
        return;
    selected_tile_ = tile;
    emit SelectionChanged();
}

void LevelDocument::SetSelectedTexture(int index) {
    if (index == selected_texture_)
        return;
    selected_texture_ = index;
    emit SelectionChanged();
}

int LevelDocument::Open(const QString& path, pw::Gauge* gauge) {
    // Read aside: the open level stays until the new one is complete.
    auto level = std::make_unique<pw::Ttrlevel>();
    level->gauge = gauge;
    level->page_room = true; // pages are added without moving the others
    const pw::Result result =
        RaiseFailedWork(level->LoadLevel(QFile::encodeName(path).toStdString(), false));
    invalid_reason_ =
        result == pw::Status::not_a_level ? QString::fromStdString(result.reason) : QString();
    if (!result)
        return ResultCode(result);
    matcher_.reset();
    level_ = std::move(*level);
    level_.gauge = nullptr;
    file_name_ = path;
    selected_texture_ = level_.num_object_textures > 0 ? 0 : -1;
    sets_ = pw::ParseAnimatedSets(level_.anim_words);
    ResetHistory();
    emit LevelReplaced();
    return 0;
}

void LevelDocument::CloseLevel() {
    matcher_.reset();
    level_.Clear();
    file_name_.clear();
    selected_texture_ = -1;
    sets_.clear();
    ResetHistory();
    emit LevelReplaced();
}

void LevelDocument::ResetHistory() {
    usage_.reset();
    history_.clear();
    opened_index_ = 0;
}

SourceOpenResult LevelDocument::OpenSource(const QString& path, pw::Gauge* gauge) {
    invalid_reason_.clear();
    const SourceOpenResult result = OpenTextureSource(path, source_, gauge, &invalid_reason_);
    if (result == SourceOpenResult::opened)
        emit SourceReplaced();
    return result;
}

pw::PaletteMatcher* LevelDocument::Matcher() {
    if (!pw::CarriesDepth(level_.kind, pw::PageDepth::bits8))
        return nullptr;
    if (!matcher_ || !matcher_->SamePalette(level_.palette))
        matcher_ = std::make_unique<pw::PaletteMatcher>(level_.palette);
    return matcher_.get();
}

void LevelDocument::WriteFromSource(HistoryStep step, int level_page, int left, int top, int source_x,
                                    int source_y, int size) {
    const std::vector<std::uint32_t> colours =
        PictureColours(source_.SourceImage, source_x, source_y, size, source_.HasAlpha);
    const std::vector<std::uint8_t> stored32 = SourceStored(source_.Pages32, 4, source_x, source_y, size);
    const std::vector<std::uint8_t> stored16 = SourceStored(source_.Pages16, 2, source_x, source_y, size);
    const std::vector<std::uint8_t> stored8 = SourceStored(source_.Pages8, 1, source_x, source_y, size);
    pw::PixelSource pixels;
    pixels.width = size;
    pixels.height = size;
    pixels.argb = colours;
    pixels.has_alpha = source_.HasAlpha;
    pixels.stored32 = stored32;
    pixels.stored16 = stored16;
    pixels.stored8 = stored8;
    pixels.palette8 = source_.Palette8;
    pixels.dither = dither_pictures_;
    auto edit = std::make_shared<PixelsEdit>(level_, level_page, left, top, size, size);
    pw::WritePagePixels(level_, level_page, left, top, pixels, Matcher());
    Record(step, std::move(edit));
}

bool LevelDocument::CanCopy(int level_page, int source_page) const {
    return HasLevel() && level_page >= 0 && level_page < level_.num_pages && source_page >= 0 &&
           source_page < source_.PageCount();
}

void LevelDocument::CopyTile(int level_page, int source_page, int x, int y) {
    if (!CanCopy(level_page, source_page))
        return;
    const int sx = x / kTile * kTile;
    const int sy = source_page * kSide + y / kTile * kTile;
    WriteFromSource(HistoryStep{StepKind::copy_tile}, level_page, selected_tile_.Left, selected_tile_.Top, sx,
                    sy, kTile);
}

void LevelDocument::CopyPage(int level_page, int source_page) {
    if (!CanCopy(level_page, source_page))
        return;
    WriteFromSource(HistoryStep{StepKind::copy_page}, level_page, 0, 0, 0, source_page * kSide, kSide);
}

template <typename Change>
int LevelDocument::EditTextures(HistoryStep step, int first, int count, Change change) {
    auto edit = std::make_shared<TexturesEdit>(level_, first, count);
    const int selected = change();
    if (selected < 0)
        return -1;
    Record(step, std::move(edit));
    return selected;
}

bool LevelDocument::SetAttribute(int index, int attribute) {
    if (!HasTexture(index))
        return false;
    if (level_.object_textures[static_cast<std::size_t>(index)].attribute == attribute)
        return true; // choosing the attribute it has is no step
    return EditTextures(HistoryStep{StepKind::set_attribute}, index, 1, [&] {
               level_.object_textures[static_cast<std::size_t>(index)].attribute =
                   static_cast<std::uint16_t>(attribute);
               return index;
           }) >= 0;
}

bool LevelDocument::MirrorTexture(int index, bool horizontal) {
    if (!HasTexture(index))
        return false;
    return EditTextures(HistoryStep{StepKind::mirror_texture}, index, 1, [&] {
               auto& texture = level_.object_textures[static_cast<std::size_t>(index)];
               if (horizontal)
                   pw::MirrorHorizontal(texture);
               else
                   pw::MirrorVertical(texture);
               return index;
           }) >= 0;
}

bool LevelDocument::PasteTexture(int from, int to) {
    if (!HasTexture(from) || !HasTexture(to))
        return false;
    return EditTextures(HistoryStep{StepKind::paste_texture}, to, 1,
                        [&] { return pw::CopyTextureRecord(level_, from, to) ? to : -1; }) >= 0;
}

// The edits that append start at the end of the table and hold nothing before they run.
int LevelDocument::DefineGrid(int page, int height) {
    if (!HasLevel())
        return -1;
    return EditTextures(HistoryStep{StepKind::define_textures}, std::max(level_.num_object_textures, 0), 0,
                        [&] { return pw::DefineGridTextures(level_, page, height); });
}

int LevelDocument::DefineRectangle(int page, const TRect& rect) {
    if (!HasLevel() || rect.Width() <= 0 || rect.Height() <= 0)
        return -1;
    return EditTextures(
        HistoryStep{StepKind::define_texture}, std::max(level_.num_object_textures, 0), 0, [&] {
            return pw::AppendTexture(level_, pw::MakeRectangleTexture(level_.kind, page, rect.Left, rect.Top,
                                                                      rect.Right - 1, rect.Bottom - 1));
        });
}

int LevelDocument::CloneTexture(int index) {
    if (!HasTexture(index))
        return -1;
    return EditTextures(HistoryStep{StepKind::clone_texture}, std::max(level_.num_object_textures, 0), 0,
                        [&] { return pw::CloneTexture(level_, index); });
}
