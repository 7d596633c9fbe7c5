// How the page map follows the document, the main window's page and the pointer.
#include <algorithm>

#include <QLocale>
#include <QScrollBar>
#include <QStatusBar>

#include "document/level_document.h"
#include "level/engine_limits.h"
#include "level/object_textures.h"
#include "level/sprite_textures.h"
#include "level/texture_cover.h"
#include "texture_windows/page_map_picture.h"
#include "texture_windows/page_map_window.h"
#include "texture_windows/texture_use_text.h"

// Every change of the level reaches the map through the document's signals, whoever made it: an edit,
// an undo or a redo.
void TPageMap::ConnectDocument() {
    connect(&doc_, &LevelDocument::LevelReplaced, this, [this] { ShowLevel(); });
    connect(&doc_, &LevelDocument::PageChanged, this, [this](int page) {
        if (page != page_)
            return;
        if (isVisible())
            View->SetPicture(PageMapPicture(doc_.Level(), page_, DepthShown()));
        else
            stale_ = true;
    });
    connect(&doc_, &LevelDocument::TexturesChanged, this, [this] {
        stale_ = true;
        Redraw();
        ShowFigures();
    });
    connect(&doc_, &LevelDocument::PageAdded, this, [this](int page) { ShowAddedPage(page); });
    connect(&doc_, &LevelDocument::PageRemoved, this, [this](int page) {
        page_ = std::clamp(page_, 0, std::max(doc_.Level().num_pages - 1, 0));
        ShowRemovedPage(page);
        stale_ = true;
        Redraw();
    });
    connect(&doc_, &LevelDocument::AnimatedSetsChanged, this, [this] {
        stale_ = true; // the sets decide which textures are used
        Redraw();
        View->TexturesChanged();
        ShowFigures();
    });
    connect(&doc_, &LevelDocument::SelectionChanged, this, [this] { ShowSelection(); });
}

// A new level (or none): its first page, its depths, its figures.
void TPageMap::ShowLevel() {
    page_ = 0;
    last_click_ = {-1, -1};
    const bool two_depths = pw::CarriesDepth(doc_.Level().kind, pw::PageDepth::bits32);
    DepthLabel->setVisible(two_depths);
    DepthBox->setVisible(two_depths);
    ShowPageList();
    stale_ = true;
    Redraw();
    View->SetSelectedTexture(doc_.SelectedTexture());
    statusBar()->clearMessage();
}

void TPageMap::ShowPageList() {
    QStringList pages;
    for (int i = 1; doc_.HasLevel() && i <= doc_.Level().num_pages; ++i)
        pages.append(QStringLiteral("Page#%1").arg(i));
    if (PageBox->Items()->ToStringList() != pages)
        PageBox->Items()->Assign(pages);
    PageBox->SetItemIndex(pages.isEmpty() ? -1 : page_);
    ShowFigures();
}

// Only the added or removed line changes, so that adding a page costs the same at any page count. The
// main window may have shown the new page before its line existed here: the box names it now.
void TPageMap::ShowAddedPage(int page) {
    TStrings* items = PageBox->Items();
    if (items->Count() == page && page + 1 == doc_.Level().num_pages) {
        items->Add(QStringLiteral("Page#%1").arg(page + 1));
        PageBox->SetItemIndex(page_);
    } else {
        ShowPageList();
    }
    ShowFigures();
}

void TPageMap::ShowRemovedPage(int page) {
    TStrings* items = PageBox->Items();
    if (items->Count() == page + 1 && page == doc_.Level().num_pages) {
        items->Delete(page);
        PageBox->SetItemIndex(page_);
    } else {
        ShowPageList();
    }
    ShowFigures();
}

void TPageMap::ShowFigures() {
    if (!doc_.HasLevel()) {
        FiguresLabel->SetCaption(QString());
        WarningsLabel->SetCaption(QString());
        FreeShareLabel->SetCaption(QString());
        return;
    }
    const pw::Ttrlevel& level = doc_.Level();
    const int textures = std::max(level.num_object_textures, 0);
    const int sprites = static_cast<int>(pw::SpriteTextureCount(level));
    const int sprite_limit = pw::EngineSpriteTextureLimit(level.kind);
    FiguresLabel->SetCaption(Texts.Text(PageMapText::figures)
                                 .arg(level.num_pages)
                                 .arg(textures)
                                 .arg(sprite_limit > 0
                                          ? QStringLiteral("%1/%2").arg(sprites).arg(sprite_limit)
                                          : QString::number(sprites))
                                 .arg(doc_.AnimatedSets().size()));
    QStringList warnings;
    const int page_limit = pw::EnginePageLimit(level.kind);
    if (page_limit > 0 && level.num_pages > page_limit)
        warnings.append(Texts.Text(PageMapText::page_limit).arg(page_limit));
    const int texture_limit = pw::EngineObjectTextureLimit(level.kind);
    if (texture_limit > 0 && textures > texture_limit)
        warnings.append(Texts.Text(PageMapText::texture_limit).arg(texture_limit));
    if (sprite_limit > 0 && sprites > sprite_limit)
        warnings.append(Texts.Text(PageMapText::sprite_limit).arg(sprite_limit));
    WarningsLabel->SetCaption(warnings.join(QLatin1Char(' ')));
    WarningsLabel->setVisible(!warnings.isEmpty());
}

// The picture and the cover mask are made only for a window that shows them.
void TPageMap::Redraw() {
    if (!isVisible())
        return;
    if (stale_) {
        const bool page = doc_.HasLevel() && page_ < doc_.Level().num_pages;
        std::vector<std::uint8_t> cover =
            page ? pw::CoverMask(doc_.Level(), page_) : std::vector<std::uint8_t>();
        free_share_ = page ? 100.0 * static_cast<double>(pw::FreePixelCount(cover)) / 65536.0 : -1.0;
        // Pixels that only unused textures cover are free once those are removed.
        std::vector<bool> unused;
        for (std::size_t i = 0; page && i < doc_.TextureUsage().object_textures.size(); ++i)
            unused.push_back(!doc_.TextureUsage().ObjectTextureUsed(i));
        free_after_share_ =
            page ? 100.0 *
                       static_cast<double>(pw::FreePixelCount(pw::CoverMask(doc_.Level(), page_, unused))) /
                       65536.0
                 : -1.0;
        ShowFreeShare();
        View->SetUnused(std::move(unused));
        View->SetPage(page ? page_ : -1, page ? PageMapPicture(doc_.Level(), page_, DepthShown()) : QImage(),
                      std::move(cover));
        stale_ = false;
    }
    View->update();
}

void TPageMap::ShowFreeShare() {
    FreeShareLabel->SetCaption(
        free_share_ < 0 ? QString()
                        : Texts.Text(PageMapText::free_share).arg(QLocale().toString(free_share_, 'f', 1)) +
                              QStringLiteral("   ") +
                              Texts.Text(PageMapText::free_after_cleanup)
                                  .arg(QLocale().toString(free_after_share_, 'f', 1)));
}

void TPageMap::ShowTexts() {
    ShowFigures();
    ShowFreeShare();
}

void TPageMap::ShowPage(int page) {
    if (page == page_ || page < 0 || page >= doc_.Level().num_pages)
        return;
    page_ = page;
    PageBox->SetItemIndex(page);
    last_click_ = {-1, -1};
    stale_ = true;
    Redraw();
}

void TPageMap::PageBoxChange() {
    const int page = PageBox->ItemIndex();
    if (page < 0 || page == page_)
        return;
    ShowPage(page);
    emit PageChosen(page);
}

// The texture chosen in the list: its page is shown (the main window's too) and it is scrolled into view.
void TPageMap::ShowSelection() {
    const int selected = doc_.SelectedTexture();
    View->SetSelectedTexture(selected);
    if (!isVisible() || !doc_.HasTexture(selected))
        return;
    const int page = pw::TexturePage(doc_.Level().object_textures[static_cast<std::size_t>(selected)]);
    if (page != page_ && page < doc_.Level().num_pages) {
        ShowPage(page);
        emit PageChosen(page);
    }
    ScrollToTexture(selected);
}

void TPageMap::ScrollToTexture(int index) {
    const QRect texture = View->TextureRect(index);
    const QRect seen(-View->pos(), Scroller->viewport()->size());
    if (texture.isEmpty() || seen.intersects(texture))
        return;
    Scroller->ensureVisible(texture.center().x(), texture.center().y(), texture.width() / 2 + 8,
                            texture.height() / 2 + 8);
}

QString TPageMap::PixelText(int x, int y) const {
    if (!doc_.HasLevel() || page_ >= doc_.Level().num_pages)
        return {};
    QString text = QStringLiteral("(%1, %2)  %3")
                       .arg(x)
                       .arg(y)
                       .arg(PageMapPixelValue(doc_.Level(), page_, DepthShown(), x, y));
    const pw::PixelCover cover = View->CoverAt(x, y);
    QStringList names;
    for (const int i : cover.textures) {
        QString name = QStringLiteral("Texture#%1").arg(i);
        if (pw::IsTriangleTexture(doc_.Level().object_textures[static_cast<std::size_t>(i)]))
            name += QLatin1Char(' ') + Texts.Text(PageMapText::triangle);
        const TextureUsePatterns patterns{
            Texts.Text(PageMapText::use_room_faces), Texts.Text(PageMapText::use_mesh_faces),
            Texts.Text(PageMapText::use_animated_sets), Texts.Text(PageMapText::use_unused)};
        name += QStringLiteral(" (%1)").arg(TextureUseText(doc_.TextureUsage(), i, patterns));
        names.append(name);
    }
    for (const int i : cover.sprites)
        names.append(QStringLiteral("Sprite#%1").arg(i));
    if (!names.isEmpty())
        text += QStringLiteral("  ") + names.join(QStringLiteral(", "));
    return text;
}

void TPageMap::ViewHover(int x, int y) {
    if (x < 0)
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(PixelText(x, y));
}

// The topmost texture is the last in the table (drawn last); clicking the same pixel again goes on to
// the one below it, round and round.
void TPageMap::ViewClick(int x, int y) {
    if (!doc_.HasLevel())
        return;
    const std::vector<int> under = View->CoverAt(x, y).textures;
    if (under.empty())
        return;
    auto at = std::find(under.begin(), under.end(), last_pick_);
    int pick = under.back();
    if (last_click_ == QPoint(x, y) && at != under.end())
        pick = at == under.begin() ? under.back() : *(at - 1);
    last_click_ = {x, y};
    last_pick_ = pick;
    emit TextureChosen(pick);
}
