// File > Export Pages to Folder and Import Pages from Folder, and Pages > Edit Page Outside: the pages
// as one .png file each, for any image editor.
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStatusBar>

#include "app/guarded_work.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "textures/page_map_window.h"
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
        *refusal = Text(MessageText::page_not_taken).arg(page + 1).arg(reason);
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
    RunGuarded(this,
               {Text(MessageText::exporting_pages),
                Text(MessageText::no_memory_to_export).arg(QDir::toNativeSeparators(*folder)),
                {}},
               [&](pw::Gauge* gauge) { doc_.ExportPages(*folder, gauge); });
}

void TForm1::ImportPages1Click() {
    if (!LevelOpen())
        return;
    const std::optional<QString> folder = CurrentPlatform().FolderName(
        this, {Text(MessageText::import_pages_title), {}, {}, false, QFileInfo(doc_.LevelFileName()).path()});
    if (!folder)
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
    QString error;
    // The progress window shows only for levels with many pages; a few pages are read at once.
    const bool large = doc_.Level().num_pages > 16;
    const bool done = RunGuarded(
        this, {large ? Text(MessageText::importing_pages) : QString(), Text(MessageText::no_memory), {}},
        [&](pw::Gauge* gauge) { error = doc_.ImportPages(*folder, gauge, keep_undo); });
    if (done && !error.isEmpty())
        CurrentPlatform().ShowError(this, Text(MessageText::pages_not_imported).arg(error));
}

void TForm1::EditPageOutside1Click() {
    if (!LevelOpen() || LevelPage < 0 || LevelPage >= doc_.Level().num_pages)
        return;
    // The 32-bit page goes out, alpha and all, when the page map shows it.
    const bool map32 = PageMap && PageMap->isVisible() && PageMap->DepthShown() == pw::PageDepth::bits32;
    const auto depth = map32 ? pw::PagePictureDepth::stored32 : pw::PagePictureDepth::shown;
    QString path;
    if (!RunGuarded(this, {{}, Text(MessageText::no_memory), {}},
                    [&](pw::Gauge*) { path = Outside->Start(LevelPage, depth); }))
        return;
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
