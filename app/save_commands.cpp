// File > Save, Save As and Save Texture to Bitmap, and Pages > Add new empty page. Each needs an open
// level: the menu items are enabled only while the document holds one.
#include <algorithm>
#include <new>

#include <QDir>
#include <QFileInfo>

#include "app/guarded_work.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "level/level_file_names.h"
#include "widgets/platform.h"

namespace {

const QString kSaveFilter = QStringLiteral(
    "All TR files (*.phd, *.tub, *.tr2,*.trg,*.tr4,*.trc)|*.phd;*.tub;*.tr2;*.trg;*.tr4;*.trc");
const QString kExportFilter =
    QStringLiteral("Windows Bitmap (*.bmp)|*.bmp|Portable Network Graphics (*.png)|*.png");

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
         {Save1, SaveAs1, AddNewPage1, ExporttoImage1, Copy1, Define64x64textures1, Define64x48textures1,
          Define64x32textures1, Define64x16textures1, Definemouseselected1, AnimatedTextures1})
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
    const std::optional<QString> chosen =
        CurrentPlatform().SaveFileName(this, {QString(), kSaveFilter, suffix, true, QString()});
    if (!chosen)
        return;
    const QString path = LevelSaveName(*chosen);
    if (!path.isEmpty() && SaveLevelShowingProgress(path))
        AddRecentFile(path);
}

// A failed write leaves the file at `path` as it was (the writer replaces it only when complete) and
// says so, naming the file.
bool TForm1::SaveLevelShowingProgress(const QString& path) {
    int result = 1;
    RunGuarded(this,
               {QStringLiteral("Saving Level..."), QStringLiteral("Not enough memory."),
                [&](const QString& message) {
                    return QStringLiteral("The level could not be saved to %1\n\n%2")
                        .arg(QDir::toNativeSeparators(path), message);
                }},
               [&](pw::Gauge* gauge) { result = doc_.Save(path, gauge); });
    return result == 0;
}

void TForm1::AddNewPage1Click() {
    if (!LevelOpen())
        return;
    BusyCursor busy;
    doc_.AddPage();
}

// The page list gains the new page, which is selected and shown.
void TForm1::ShowAddedPage(int page) {
    ShowPageList(page);
}

// The page list loses the page; the one before it is shown.
void TForm1::ShowRemovedPage(int page) {
    ShowPageList(std::max(0, std::min(page - 1, doc_.Level().num_pages - 1)));
}

void TForm1::ShowPageList(int page) {
    QStringList pages;
    for (int i = 1; i <= doc_.Level().num_pages; ++i)
        pages.append(QStringLiteral("Page#%1").arg(i));
    ComboBox1->Items()->Assign(pages);
    ComboBox1->SetItemIndex(page);
    RebuildLevelAtlas();
    ComboBox1Change();
}

void TForm1::ExporttoImage1Click() {
    if (!LevelOpen())
        return;
    std::optional<QString> path =
        CurrentPlatform().SaveFileName(this, {QStringLiteral("Save Texture to Bitmap"), kExportFilter,
                                              QStringLiteral("bmp"), false, QString()});
    if (!path)
        return;
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QStringLiteral(".bmp");
    RunGuarded(this,
               {QStringLiteral("Saving Texture to Bitmap..."),
                QStringLiteral("Not enough memory to export to %1").arg(QDir::toNativeSeparators(*path)),
                {}},
               [&](pw::Gauge* gauge) { doc_.Export(*path, gauge); });
}
