// Opening a level: File > Open, the recent files and the command line all end in OpenLevelFile.
#include <new>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/guarded_work.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "localisation/data_captions.h"
#include "widgets/platform.h"

// The message for a file the reader refused: the usual line, then which file and why.
QString TForm1::RefusedLevelMessage(const QString& path, const QString& reason) const {
    QString message =
        Text(MessageText::invalid_level) + QStringLiteral("\n\n") + QDir::toNativeSeparators(path);
    if (!reason.isEmpty())
        message += QStringLiteral("\n") + reason;
    return message;
}

void TForm1::OpenLevel1Click() {
    if (!SaveChangesFirst())
        return;
    const QString filter =
        FilterEntry(MessageText::all_level_files, QStringLiteral("*.phd,*.tub,*.tr2,*.trg,*.tr4,*.trc"),
                    QStringLiteral("*.phd;*.tub;*.tr2;*.trg;*.tr4;*.trc"));
    const std::optional<QString> path =
        CurrentPlatform().OpenFileName(this, {Text(MessageText::open_level_title), filter, {}, false, {}});
    CurrentPlatform().SetBusyCursor(false);
    if (path)
        OpenLevelFile(*path);
}

void TForm1::OpenLevelFile(const QString& path) {
    if (RefuseFolder(path))
        return;
    if (!QFileInfo(path).isFile()) {
        CurrentPlatform().ShowMessage(this, Text(MessageText::file_not_found));
        return;
    }
    BusyCursor busy;
    repaint();

    // On failure the document keeps the open level, and the views keep showing it.
    pw::Result result;
    if (!RunGuarded(this, {Text(MessageText::loading_level), Text(MessageText::no_memory_to_open).arg(path)},
                    [&](pw::Gauge* gauge) { result = doc_.Open(path, gauge); }))
        return;
    if (!result) {
        busy.Release();
        ShowLevelNotRead(path, result);
        return;
    }
    AddRecentFile(path);
}

// A file the reader refused (or that went away) in the usual words; a file that could not be read, or
// whose stream was damaged, in an error box that names it.
void TForm1::ShowLevelNotRead(const QString& path, const pw::Result& result) {
    const QString reason = QString::fromStdString(result.reason);
    if (result == pw::Status::not_a_level)
        CurrentPlatform().ShowMessage(this, RefusedLevelMessage(path, reason));
    else if (result == pw::Status::no_such_file)
        CurrentPlatform().ShowMessage(this, RefusedLevelMessage(path, QString()));
    else
        CurrentPlatform().ShowError(this, NamingTheFile(path, reason));
}

void TForm1::ShowLevelFromDocument() {
    if (doc_.HasLevel())
        ShowLoadedLevel(doc_.LevelFileName());
    else
        ShowNoLevel();
}

void TForm1::ShowLoadedLevel(const QString& path) {
    const pw::Ttrlevel& Level = doc_.Level();
    LevelPage = 0;
    MouseSelecting = false;
    MouseSelectionShown = false;
    ComboBox1->Items()->Assign(PageEntries(Level.num_pages));
    ComboBox1->SetItemIndex(0);

    PrepareLevelViews();
    Image1->SetPicture(LevelPageView);
    GroupBox1->SetCaption(PageCaption(0, Level.num_pages));
    Label3->SetCaption(QFileInfo(path).fileName());
    ShowCaption();

    // Line 0 is selected without showing its preview.
    Table->Clear();
    Table->ShowLines();

    Paste1->SetEnabled(false);
}

void TForm1::ShowNoLevel() {
    LevelPage = 0;
    LevelPageView = QImage();
    Image1->ClearPicture();
    ComboBox1->Items()->Clear();
    Table->Clear();
    GroupBox1->SetCaption(DataCaptionText(GroupBox1));
    Label3->SetCaption(DataCaptionText(Label3));
    Label6->SetCaption(DataCaptionText(Label6));
    ShowCaption();
    MouseSelecting = false;
    MouseSelectionShown = false;
    CopiedTexture = -1;
    Paste1->SetEnabled(false);
}
