// Edit > Undo and Redo, the caption's unsaved-changes mark and the question before unsaved changes
// would be lost.
#include <QFileInfo>
#include <QStatusBar>

#include "app/main_window.h"
#include "localisation/data_captions.h"
#include "widgets/platform.h"

namespace {

// "&Undo" and a step's name make "&Undo Copy tile"; without a step the item shows its own text.
QString StepCaption(const TMenuItem* item, const QString& step) {
    const QString own = DataCaptionText(item).isEmpty() ? item->Caption() : DataCaptionText(item);
    return step.isEmpty() ? own : own + u' ' + step;
}

} // namespace

void TForm1::ConnectHistory() {
    Undo1->OnClick = [this] { doc_.Undo(); };
    Redo1->OnClick = [this] { doc_.Redo(); };
    connect(&doc_, &LevelDocument::HistoryChanged, this, [this] { ShowHistorySteps(); });
    connect(&doc_, &LevelDocument::ModifiedChanged, this, [this] { ShowCaption(); });
    connect(&doc_, &LevelDocument::FileNameChanged, this, [this] {
        ShowCaption();
        Label3->SetCaption(QFileInfo(doc_.LevelFileName()).fileName());
    });
    ShowHistorySteps();
}

void TForm1::ShowHistorySteps() {
    const QUndoStack& history = doc_.History();
    Undo1->SetCaption(StepCaption(Undo1, history.canUndo() ? StepText(doc_.UndoStep()) : QString()));
    Redo1->SetCaption(StepCaption(Redo1, history.canRedo() ? StepText(doc_.RedoStep()) : QString()));
    Undo1->SetEnabled(history.canUndo());
    Redo1->SetEnabled(history.canRedo());
}

void TForm1::ShowCaption() {
    if (doc_.HasLevel())
        SetCaption(doc_.LevelFileName() + QStringLiteral("[*]"));
    else
        SetCaption(DataCaptionText(this));
    setWindowModified(doc_.IsModified());
}

bool TForm1::SaveChangesFirst() {
    if (!doc_.IsModified())
        return true;
    const QString name = QFileInfo(doc_.LevelFileName()).fileName();
    switch (CurrentPlatform().Ask(this, Text(MessageText::save_changes).arg(name),
                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Save:
        return SaveLevelShowingProgress(doc_.LevelFileName());
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

QString TForm1::StatusText() const {
    return Text(MessageText::selection_corners)
        .arg(MouseSelection.Left)
        .arg(MouseSelection.Top)
        .arg(MouseSelection.Right)
        .arg(MouseSelection.Bottom);
}
