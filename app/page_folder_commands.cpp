// File > Export Pages to Folder and Import Pages from Folder, and Pages > Edit Page Outside: the pages
// as one .png file each, for any image editor.
#include <QDir>
#include <QFileInfo>
#include <QStatusBar>

#include "app/guarded_work.h"
#include "app/main_window.h"
#include "widgets/platform.h"

void TForm1::ConnectPageFolders() {
    ExportPages1->OnClick = [this] { ExportPages1Click(); };
    ImportPages1->OnClick = [this] { ImportPages1Click(); };
    EditPageOutside1->OnClick = [this] { EditPageOutside1Click(); };
    Outside = new OutsideEditing(doc_, this);
    Outside->setObjectName(QStringLiteral("OutsideEditing"));
    connect(Outside, &OutsideEditing::PictureRefused, this, [this](int page, const QString& reason) {
        const QString text = Text(MessageText::page_not_taken).arg(page + 1).arg(Reason(reason));
        statusBar()->showMessage(text);
        CurrentPlatform().ShowError(this, text);
    });
}

void TForm1::ExportPages1Click() {
    if (!LevelOpen())
        return;
    const std::optional<QString> folder = CurrentPlatform().FolderName(
        this, {Text(MessageText::export_pages_title), {}, {}, false, QFileInfo(doc_.LevelFileName()).path()});
    if (!folder)
        return;
    if (RunGuarded(this,
                   {Text(MessageText::exporting_pages),
                    Text(MessageText::no_memory_to_export).arg(QDir::toNativeSeparators(*folder)),
                    {}},
                   [&](pw::Gauge* gauge) { doc_.ExportPages(*folder, gauge); }))
        statusBar()->showMessage(Text(MessageText::pages_exported)
                                     .arg(doc_.Level().num_pages)
                                     .arg(QDir::toNativeSeparators(*folder)));
}

void TForm1::ImportPages1Click() {
    if (!LevelOpen())
        return;
    const std::optional<QString> folder = CurrentPlatform().FolderName(
        this, {Text(MessageText::import_pages_title), {}, {}, false, QFileInfo(doc_.LevelFileName()).path()});
    if (!folder || !MayGrowPastEngineLimit(doc_.PagesAfterImport(*folder)))
        return;
    QString error;
    // The progress window shows only for levels with many pages; a few pages are read at once.
    const bool large = doc_.Level().num_pages > 16;
    const bool done = RunGuarded(
        this, {large ? Text(MessageText::importing_pages) : QString(), Text(MessageText::no_memory), {}},
        [&](pw::Gauge* gauge) { error = doc_.ImportPages(*folder, gauge); });
    if (done && !error.isEmpty())
        CurrentPlatform().ShowError(this, Text(MessageText::pages_not_imported).arg(Reason(error)));
}

void TForm1::EditPageOutside1Click() {
    if (!LevelOpen() || LevelPage < 0 || LevelPage >= doc_.Level().num_pages)
        return;
    QString path;
    if (!RunGuarded(this, {{}, Text(MessageText::no_memory), {}},
                    [&](pw::Gauge*) { path = Outside->Start(LevelPage); }))
        return;
    if (!OutsideEditing::Open(path, Outside->Command()))
        CurrentPlatform().ShowError(this,
                                    Text(MessageText::page_not_opened).arg(QDir::toNativeSeparators(path)));
}
