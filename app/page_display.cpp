// The level page view and the source page view. Only the page shown is converted for display: every
// other picture of a level page (the texture preview, the animated frames) is cut from the level's own
// bytes when it is drawn, so a level's pages are held once, however many there are.
#include <span>

#include "app/bitmap_drawing.h"
#include "app/main_window.h"
#include "level/layout.h"
#include "level/page_access.h"
#include "localisation/data_captions.h"
#include "pictures/pixel_helpers.h"

namespace {

using pw::layout::kPageSide;

bool HasPalette(int kind) {
    return kind >= pw::kind_tr1 && kind <= pw::kind_tr3;
}

} // namespace

void TForm1::ShowDataCaptions() {
    GroupBox1->SetCaption(LevelOpen() ? PageCaption(LevelPage, doc_.Level().num_pages)
                                      : DataCaptionText(GroupBox1));
    if (doc_.Source().PageCount() > 0)
        GroupBox2->SetCaption(PageCaption(SourcePage, doc_.Source().PageCount()));
}

void TForm1::PrepareLevelViews() {
    if (pw::ShowsPalettedPages(doc_.Level().kind)) {
        LevelPageView = QImage(kPageSide, kPageSide, QImage::Format_Indexed8);
        LevelPageView.setColorTable(BuildLevelPalette(doc_.Level().palette));
    } else {
        LevelPageView = QImage(kPageSide, kPageSide, QImage::Format_RGB32);
    }
    LoadLevelPageView();
    ShowTransparentColour();
}

// Puts page LevelPage into LevelPageView, keeping the view's format.
void TForm1::LoadLevelPageView() {
    LevelPageView.fill(0);
    if (pw::ShowsPalettedPages(doc_.Level().kind)) {
        const auto page = pw::PageSpan(doc_.Level(), pw::PageDepth::bits8, LevelPage);
        if (!page.empty())
            CopyPixelsToBitmap(LevelPageView, page.size(), page.data());
        return;
    }
    const auto page = pw::PageSpan(doc_.Level(), pw::PageDepth::bits16, LevelPage);
    if (!page.empty())
        FillShownWords(LevelPageView, page);
}

// Palette entry 0 is the colour that 8-bit pages use for transparent pixels.
void TForm1::ShowTransparentColour() {
    if (!HasPalette(doc_.Level().kind))
        return;
    const auto& p = doc_.Level().palette;
    Label6->SetCaption(QStringLiteral("%1,%2,%3").arg(p[0] * 4).arg(p[1] * 4).arg(p[2] * 4));
}

void TForm1::ComboBox1Change() {
    if (!LevelOpen() || ComboBox1->ItemIndex() < 0)
        return;
    LevelPage = ComboBox1->ItemIndex();
    LoadLevelPageView();
    Image1->SetPicture(LevelPageView);
    GroupBox1->SetCaption(PageCaption(LevelPage, doc_.Level().num_pages));
    FrameRect(Image1->Picture(), doc_.SelectedTile(), qRgb(255, 255, 255));
    Image1->Changed();
    MouseSelectionShown = false;
    emit LevelPageShown(LevelPage);
}

void TForm1::ComboBox2Change() {
    const QImage& source = doc_.Source().SourceImage;
    if (source.isNull() || ComboBox2->ItemIndex() < 0)
        return;
    SourcePage = ComboBox2->ItemIndex();
    SourcePageView =
        source.copy(0, SourcePage * kPageSide, kPageSide, kPageSide).convertToFormat(QImage::Format_RGB888);
    Image2->SetPicture(SourcePageView);
    GroupBox2->SetCaption(PageCaption(SourcePage, doc_.Source().PageCount()));
}
