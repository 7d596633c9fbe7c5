// Opening a level: File > Open, the recent files and the command line all end in OpenLevelFile.
#include <new>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/main_window.h"
#include "app/progress_window.h"
#include "level/level_errors.h"
#include "widgets/platform.h"

namespace {

const QString kLevelFilter =
    QStringLiteral("All TR files (*.phd,*.tub,*.tr2,*.tr4,*.trc)|*.phd;*.tub;*.tr2;*.tr4;*.trc");

// LoadLevel's result for a file that could not be read at all; the message has been shown.
constexpr int kLoadFailed = -1;

} // namespace

void TForm1::OpenLevel1Click() {
    if (!SaveChangesFirst())
        return;
    const std::optional<QString> path =
        CurrentPlatform().OpenFileName(this, {QStringLiteral("Open TR file"), kLevelFilter, {}, false, {}});
    CurrentPlatform().SetBusyCursor(false);
    if (path)
        OpenLevelFile(*path);
}

void TForm1::OpenLevelFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("File not found!!!"));
        return;
    }
    BusyCursor busy;
    repaint();

    // On failure the document keeps the open level, and the views keep showing it.
    const int result = LoadLevelShowingProgress(path);
    if (result != 0) {
        busy.Release();
        if (result != kLoadFailed)
            CurrentPlatform().ShowMessage(this, QStringLiteral("Invalid TR file format!!!"));
        return;
    }
    AddRecentFile(path);
}

// Runs LoadLevel with the progress window showing. Errors of the reader never leave this function:
// they are shown in a box and reported as kLoadFailed.
int TForm1::LoadLevelShowingProgress(const QString& path) {
    Form5->ShowProgress(QStringLiteral("Loading Level..."));
    QString error;
    int result = kLoadFailed;
    try {
        result = doc_.Open(path, Form5->LevelGauge());
    } catch (const std::bad_alloc&) {
        error = QStringLiteral("Not enough memory to open %1").arg(path);
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
        // The box names the file, whether or not the reader's message does.
        if (!error.contains(path))
            error = QDir::toNativeSeparators(path) + QStringLiteral("\n\n") + error;
    }
    Form5->Close();
    if (!error.isEmpty()) {
        CurrentPlatform().SetBusyCursor(false);
        CurrentPlatform().ShowError(this, error);
    }
    return result;
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
    QStringList pages;
    for (int i = 1; i <= Level.num_pages; ++i)
        pages.append(QStringLiteral("Page#%1").arg(i));
    ComboBox1->Items()->Assign(pages);
    ComboBox1->SetItemIndex(0);

    PrepareLevelViews();
    Image1->SetPicture(LevelPageView);
    GroupBox1->SetCaption(QStringLiteral("Page:1/%1").arg(Level.num_pages));
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
    LevelAtlas = QImage();
    Image1->ClearPicture();
    ComboBox1->Items()->Clear();
    Table->Clear();
    GroupBox1->SetCaption(QStringLiteral("Page:"));
    Label3->SetCaption(QStringLiteral("None"));
    Label6->SetCaption(QStringLiteral("0,0,0"));
    ShowCaption();
    MouseSelecting = false;
    MouseSelectionShown = false;
    CopiedTexture = -1;
    Paste1->SetEnabled(false);
}
