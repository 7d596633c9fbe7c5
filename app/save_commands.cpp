// File > Save, Save As and Save Texture to Bitmap, and Pages > Add new empty page. Each needs an open
// level: the menu items are enabled only while the document holds one.
#include <algorithm>
#include <new>

#include <QDir>
#include <QFileInfo>

#include "app/guarded_work.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "level/engine_limits.h"
#include "level/layout.h"
#include "level/level_file_names.h"
#include "widgets/platform.h"

namespace {

const QString kLevelPatterns = QStringLiteral("*.phd;*.tub;*.tr2;*.trg;*.tr4;*.trc");

} // namespace

void TForm1::ConnectSaving() {
    Save1->OnClick = [this] { Save1Click(); };
    SaveAs1->OnClick = [this] { SaveAs1Click(); };
    AddNewPage1->OnClick = [this] { AddNewPage1Click(); };
    ExporttoImage1->OnClick = [this] { ExporttoImage1Click(); };
    connect(&doc_, &LevelDocument::LevelReplaced, this, [this] { EnableLevelCommands(); });
    connect(&doc_, &LevelDocument::PageAdded, this, [this](int page) { ShowAddedPage(page); });
    connect(&doc_, &LevelDocument::PageRemoved, this, [this](int page) { ShowRemovedPage(page); });
    EnableLevelCommands();
}

// The commands that work on the level are offered only while one is open.
void TForm1::EnableLevelCommands() {
    const bool open = doc_.HasLevel();
    for (TMenuItem* item :
         {Save1, SaveAs1, AddNewPage1, CompactPages1, ExporttoImage1, ExportPages1, ImportPages1,
          EditPageOutside1, Copy1, Define64x64textures1, Define64x48textures1, Define64x32textures1,
          Define64x16textures1, Definemouseselected1, AnimatedTextures1})
        item->SetEnabled(open);
    for (QWidget* control : std::initializer_list<QWidget*>{Button2, CheckBox1, CheckBox2})
        control->setEnabled(open);
    // The page-copy button needs a source page as well.
    EnableCopyCommands();
}

void TForm1::Save1Click() {
    if (LevelOpen())
        SaveLevelShowingProgress(doc_.LevelFileName());
}

// Save As writes the level under another name, which the document then stands for.
void TForm1::SaveAs1Click() {
    if (!LevelOpen())
        return;
    const auto usual = pw::UsualExtensions(doc_.Level().kind);
    const QString suffix = usual.empty() ? QString() : QString::fromStdString(usual.front()).mid(1);
    const std::optional<QString> chosen = CurrentPlatform().SaveFileName(
        this, {Text(MessageText::save_as_title),
               FilterEntry(MessageText::all_level_files,
                           QStringLiteral("*.phd, *.tub, *.tr2,*.trg,*.tr4,*.trc"), kLevelPatterns),
               suffix, true, QString()});
    if (!chosen)
        return;
    const QString path = LevelSaveName(*chosen);
    if (!path.isEmpty() && SaveLevelShowingProgress(path))
        AddRecentFile(path);
}

// A failed write leaves the file at `path` as it was (the writer replaces it only when complete) and
// says so, naming the file.
bool TForm1::SaveLevelShowingProgress(const QString& path) {
    pw::Result result;
    if (!RunGuarded(this, {Text(MessageText::saving_level), Text(MessageText::no_memory)},
                    [&](pw::Gauge* gauge) { result = doc_.Save(path, gauge); }))
        return false;
    if (!result)
        CurrentPlatform().ShowError(this, Text(MessageText::not_saved).arg(QDir::toNativeSeparators(path)) +
                                              QStringLiteral("\n\n") + QString::fromStdString(result.reason));
    return result.Done();
}

void TForm1::AddNewPage1Click() {
    if (!LevelOpen())
        return;
    // The same limit Save holds the level to: a page more could never be written.
    if (static_cast<std::size_t>(doc_.Level().num_pages) >= pw::layout::kMaxPages) {
        CurrentPlatform().ShowMessage(this, Text(MessageText::page_limit).arg(pw::layout::kMaxPages));
        return;
    }
    if (!MayGrowPastEngineLimit(doc_.Level().num_pages + 1))
        return;
    BusyCursor busy;
    doc_.AddPage();
}

bool TForm1::MayGrowPastEngineLimit(int pages) {
    const int limit = pw::EnginePageLimit(doc_.Level().kind);
    const int first = std::max(doc_.Level().num_pages, limit) + 1;
    if (limit <= 0 || pages < first)
        return true;
    const QString question =
        pages == first ? Text(MessageText::engine_page_limit).arg(limit).arg(pages)
                       : Text(MessageText::engine_page_limit_range).arg(limit).arg(first).arg(pages);
    return CurrentPlatform().Ask(this, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

// The page list gains the new page, which is selected and shown. Only the new line is added, so that
// adding a page costs the same at any page count.
void TForm1::ShowAddedPage(int page) {
    TStrings* items = ComboBox1->Items();
    if (items->Count() == page && page + 1 == doc_.Level().num_pages)
        items->Add(Entry(EntryText::page, page + 1));
    ShowPageList(page);
}

// The page list loses the page's line; the one before it is shown.
void TForm1::ShowRemovedPage(int page) {
    TStrings* items = ComboBox1->Items();
    if (items->Count() == page + 1 && page == doc_.Level().num_pages)
        items->Delete(page);
    ShowPageList(std::max(0, std::min(page - 1, doc_.Level().num_pages - 1)));
}

// Lists every page again only when the list does not hold one line per page already.
void TForm1::ShowPageList(int page) {
    if (ComboBox1->Items()->Count() != doc_.Level().num_pages)
        ComboBox1->Items()->Assign(PageEntries(doc_.Level().num_pages));
    ComboBox1->SetItemIndex(page);
    ComboBox1Change();
}

void TForm1::ExporttoImage1Click() {
    if (!LevelOpen())
        return;
    const QString filter =
        FilterEntry(MessageText::windows_bitmap, QStringLiteral("*.bmp"), QStringLiteral("*.bmp")) + u'|' +
        FilterEntry(MessageText::png_pictures, QStringLiteral("*.png"), QStringLiteral("*.png"));
    std::optional<QString> path = CurrentPlatform().SaveFileName(
        this, {Text(MessageText::export_title), filter, QStringLiteral("bmp"), false, QString()});
    if (!path)
        return;
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QStringLiteral(".bmp");
    pw::Result result;
    if (RunGuarded(this,
                   {Text(MessageText::exporting),
                    Text(MessageText::no_memory_to_export).arg(QDir::toNativeSeparators(*path))},
                   [&](pw::Gauge* gauge) { result = doc_.Export(*path, gauge); }) &&
        !result)
        CurrentPlatform().ShowError(this, QString::fromStdString(result.reason));
}
