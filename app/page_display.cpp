// The level page view, the atlas of all level pages and the source page view.
#include <span>

#include "app/bitmap_drawing.h"
#include "app/main_window.h"
#include "app/pixel_helpers.h"
#include "level/layout.h"

namespace {

constexpr int kPageSize = 256;

// Kinds 1 and 2 carry only 8-bit pages and are shown through their palette; the others from their
// 16-bit pages.
bool ShowsPalettedPages(int kind) {
    return kind == pw::kind_tr1 || kind == pw::kind_tub;
}

bool HasPalette(int kind) {
    return kind >= pw::kind_tr1 && kind <= pw::kind_tr3;
}

// The bytes of page `page` in a block of pages of `page_bytes` each; empty when the block is short.
std::span<const std::uint8_t> PageBlock(const pw::Bytes& pages, int page, std::size_t page_bytes) {
    const std::size_t start = static_cast<std::size_t>(page) * page_bytes;
    if (page < 0 || pages.size() < start + page_bytes)
        return {};
    return {pages.data() + start, page_bytes};
}

QString PageCaption(int page, int count) {
    return QStringLiteral("Page:%1/%2").arg(page + 1).arg(count);
}

} // namespace

void TForm1::PrepareLevelViews() {
    if (ShowsPalettedPages(Level.kind)) {
        LevelPageView = QImage(kPageSize, kPageSize, QImage::Format_Indexed8);
        LevelPageView.setColorTable(BuildLevelPalette(Level.palette));
    } else {
        LevelPageView = QImage(kPageSize, kPageSize, QImage::Format_RGB16);
    }
    LoadLevelPageView();
    RebuildLevelAtlas();
    ShowTransparentColour();
}

// Puts page LevelPage into LevelPageView, keeping the view's format.
void TForm1::LoadLevelPageView() {
    LevelPageView.fill(0);
    if (ShowsPalettedPages(Level.kind)) {
        const auto page = PageBlock(Level.pages8, LevelPage, pw::layout::kPage8Bytes);
        if (!page.empty())
            CopyPixelsToBitmap(LevelPageView, page.size(), page.data());
        return;
    }
    const auto page = PageBlock(Level.pages16, LevelPage, pw::layout::kPage16Bytes);
    if (!page.empty()) {
        CopyPixelsToBitmap(LevelPageView, page.size(), page.data());
        Expand1555To565(LevelPageView);
    }
}

// Palette entry 0 is the colour that 8-bit pages use for transparent pixels.
void TForm1::ShowTransparentColour() {
    if (!HasPalette(Level.kind))
        return;
    const auto& p = Level.palette;
    Label6->SetCaption(QStringLiteral("%1,%2,%3").arg(p[0] * 4).arg(p[1] * 4).arg(p[2] * 4));
}

void TForm1::ComboBox1Change() {
    if (!LevelOpen() || ComboBox1->ItemIndex() < 0)
        return;
    LevelPage = ComboBox1->ItemIndex();
    LoadLevelPageView();
    Image1->SetPicture(LevelPageView);
    GroupBox1->SetCaption(PageCaption(LevelPage, Level.num_pages));
    FrameRect(Image1->Picture(), SelectedTile, qRgb(255, 255, 255));
    Image1->Changed();
    MouseSelectionShown = false;
}

// The atlas is converted straight into its own pixels and reused while the page count stays.
void TForm1::RebuildLevelAtlas() {
    const int pages = Level.num_pages;
    if (pages <= 0) {
        LevelAtlas = QImage();
        return;
    }
    const QSize size(kPageSize, kPageSize * pages);
    if (LevelAtlas.size() != size || LevelAtlas.format() != QImage::Format_RGB16)
        LevelAtlas = QImage(size, QImage::Format_RGB16);
    if (LevelAtlas.isNull())
        return;
    const bool paletted = ShowsPalettedPages(Level.kind);
    const std::size_t page_bytes = paletted ? pw::layout::kPage8Bytes : pw::layout::kPage16Bytes;
    if ((paletted ? Level.pages8 : Level.pages16).size() < page_bytes * pages)
        LevelAtlas.fill(0); // rows without level pixels stay black
    if (paletted)
        FillFromPages8(LevelAtlas, Level.pages8, BuildLevelPalette(Level.palette));
    else
        FillFromPages16(LevelAtlas, Level.pages16);
}

void TForm1::ComboBox2Change() {
    if (SourceImage.isNull() || ComboBox2->ItemIndex() < 0)
        return;
    SourcePage = ComboBox2->ItemIndex();
    SourcePageView = SourceImage.copy(0, SourcePage * kPageSize, kPageSize, kPageSize)
                         .convertToFormat(QImage::Format_RGB888);
    Image2->SetPicture(SourcePageView);
    GroupBox2->SetCaption(PageCaption(SourcePage, SourceImage.height() / kPageSize));
}
