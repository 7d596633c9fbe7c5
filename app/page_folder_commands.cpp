// File > Export Pages to Folder and Import Pages from Folder, and Pages > Edit Page Outside: the pages
// as one .png file each, for any image editor.
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStatusBar>

#include "app/guarded_work.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "texture_windows/page_map_window.h"
#include "widgets/platform.h"

void TForm1::ConnectPageFolders() {
    ExportPages1->OnClick = [this] { ExportPages1Click(); };
    ImportPages1->OnClick = [this] { ImportPages1Click(); };
    EditPageOutside1->OnClick = [this] { EditPageOutside1Click(); };
    Outside = new OutsideEditing(doc_, this);
    Outside->setObjectName(QStringLiteral("OutsideEditing"));
    // The status bar's word about a refused picture goes once a good one is taken.
    auto refusal = std::make_shared<QString>();
    connect(Outside, &OutsideEditing::PictureRefused, this, [this, refusal](int page, const QString& reason) {
        *refusal = Text(MessageText::page_not_taken).arg(page + 1).arg(Reason(reason));
        statusBar()->showMessage(*refusal);
        CurrentPlatform().ShowError(this, *refusal);
    });
    connect(Outside, &OutsideEditing::PageTaken, this, [this, refusal] {
        if (!refusal->isEmpty() && statusBar()->currentMessage() == *refusal)
            statusBar()->clearMessage();
        refusal->clear();
    });
    connect(Outside, &OutsideEditing::FilesLeft, this, [this](const QString& folder) {
        statusBar()->showMessage(Text(MessageText::outside_files_left).arg(QDir::toNativeSeparators(folder)));
    });
    Outside->ClearStaleFolders();
}

void TForm1::ExportPages1Click() {
    if (!LevelOpen())
        return;
    const std::optional<QString> folder = CurrentPlatform().FolderName(
        this, {Text(MessageText::export_pages_title), {}, {}, false, QFileInfo(doc_.LevelFileName()).path()});
    if (!folder)
        return;
    pw::Result result;
    if (!RunGuarded(this,
                    {Text(MessageText::exporting_pages),
                     Text(MessageText::no_memory_to_export).arg(QDir::toNativeSeparators(*folder))},
                    [&](pw::Gauge* gauge) { result = doc_.ExportPages(*folder, gauge); }))
        return;
    if (!result) {
        CurrentPlatform().ShowError(this, QString::fromStdString(result.reason));
        return;
    }
    statusBar()->showMessage(
        Text(MessageText::pages_exported).arg(doc_.Level().num_pages).arg(QDir::toNativeSeparators(*folder)));
}

namespace {

// "1–3 ← x_0.png … x_2.png, 5 ← x_4.png": the pages (from 1) in runs, each with the files it came from.
QString PagesFromFiles(const std::vector<std::pair<int, QString>>& files) {
    QStringList runs;
    for (std::size_t first = 0; first < files.size();) {
        std::size_t last = first;
        while (last + 1 < files.size() && files[last + 1].first == files[last].first + 1)
            ++last;
        const QString from = QFileInfo(files[first].second).fileName();
        const QString to = QFileInfo(files[last].second).fileName();
        runs.push_back(first == last ? QStringLiteral("%1 ← %2").arg(files[first].first + 1).arg(from)
                                     : QStringLiteral("%1–%2 ← %3 … %4")
                                           .arg(files[first].first + 1)
                                           .arg(files[last].first + 1)
                                           .arg(from, to));
        first = last + 1;
    }
    return runs.join(QStringLiteral(", "));
}

} // namespace

void TForm1::ImportPages1Click() {
    if (!LevelOpen())
        return;
    const std::optional<QString> folder = CurrentPlatform().FolderName(
        this, {Text(MessageText::import_pages_title), {}, {}, false, QFileInfo(doc_.LevelFileName()).path()});
    if (!folder || !MayGrowPastEngineLimit(doc_.PagesAfterImport(*folder)))
        return;
    // A step whose undo data would pass the history's limit is not kept, if the user agrees.
    const std::size_t undo = doc_.ImportUndoBytes(*folder);
    const bool keep_undo = undo <= doc_.HistoryLimit();
    if (!keep_undo && CurrentPlatform().Ask(this,
                                            Text(MessageText::import_not_undoable)
                                                .arg(QLocale().formattedDataSize(static_cast<qint64>(undo), 1,
                                                                                 QLocale::DataSizeSIFormat)),
                                            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    PageFolderImport imported;
    // The progress window shows only for levels with many pages; a few pages are read at once.
    const bool large = doc_.Level().num_pages > 16;
    const bool done = RunGuarded(
        this, {large ? Text(MessageText::importing_pages) : QString(), Text(MessageText::no_memory)},
        [&](pw::Gauge* gauge) { imported = doc_.ImportPages(*folder, gauge, keep_undo); });
    if (!done)
        return;
    if (!imported.near_misses.isEmpty())
        CurrentPlatform().ShowMessage(this, Text(MessageText::pictures_not_taken)
                                                .arg(PagePicturePattern(doc_.LevelFileName()),
                                                     imported.near_misses.join(QStringLiteral(", "))));
    if (!imported.result) {
        CurrentPlatform().ShowError(this, Text(MessageText::pages_not_imported)
                                              .arg(Reason(QString::fromStdString(imported.result.reason))));
        return;
    }
    statusBar()->showMessage(Text(MessageText::pages_imported)
                                 .arg(QDir::toNativeSeparators(*folder), PagesFromFiles(imported.files)));
}

void TForm1::EditPageOutside1Click() {
    if (!LevelOpen() || LevelPage < 0 || LevelPage >= doc_.Level().num_pages)
        return;
    // The 32-bit page goes out, alpha and all, when the page map shows it.
    const bool map32 = PageMap && PageMap->isVisible() && PageMap->DepthShown() == pw::PageDepth::bits32;
    const auto depth = map32 ? pw::PagePictureDepth::stored32 : pw::PagePictureDepth::shown;
    pw::Result started;
    if (!RunGuarded(this, {{}, Text(MessageText::no_memory)},
                    [&](pw::Gauge*) { started = Outside->Start(LevelPage, depth); }))
        return;
    if (!started) {
        CurrentPlatform().ShowError(this, QString::fromStdString(started.reason));
        return;
    }
    const QString path = Outside->PagePath(LevelPage);
    if (OutsideEditing::Open(path, Outside->Command()))
        return;
    const QString file = QDir::toNativeSeparators(path);
    CurrentPlatform().ShowError(
        this, Outside->Command().trimmed().isEmpty()
                  ? Text(MessageText::page_not_opened).arg(file)
                  : Text(MessageText::editor_not_started)
                        .arg(file, Outside->Command(),
                             QDir::toNativeSeparators(SettingsFilePath(QStringLiteral("Pagewright"))) +
                                 QStringLiteral(" [Outside editing]")));
}
