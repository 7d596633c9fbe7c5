// Edit > Undo and Redo, the caption's unsaved-changes mark and the question before unsaved changes
// would be lost.
#include <algorithm>

#include <QFileInfo>
#include <QStatusBar>

#include "app/main_window.h"
#include "localisation/data_captions.h"
#include "widgets/platform.h"

// The steps the document records, by the names it gives them.
QStringList HistoryStepNames() {
    return {QStringLiteral("Copy tile"),
            QStringLiteral("Copy page"),
            QStringLiteral("Set attribute"),
            QStringLiteral("Mirror texture"),
            QStringLiteral("Paste texture"),
            QStringLiteral("Define textures"),
            QStringLiteral("Define texture"),
            QStringLiteral("Clone texture"),
            QStringLiteral("Add page"),
            QStringLiteral("Add animated set"),
            QStringLiteral("Delete animated set"),
            QStringLiteral("Add frame"),
            QStringLiteral("Delete frame"),
            QStringLiteral("Replace frame"),
            QStringLiteral("Import pages"),
            QStringLiteral("Edit page %1 outside"),
            QStringLiteral("Clean up textures"),
            QStringLiteral("Merge duplicate textures"),
            QStringLiteral("Remove unused textures"),
            QStringLiteral("Compact pages")};
}

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

// A step's name in the current language (the document names steps in English). A name with a number
// in it ("Edit page 3 outside") is found by its pattern, and the number goes into the translation.
QString TForm1::StepText(const QString& step) const {
    const QStringList names = HistoryStepNames();
    QString number;
    int index = static_cast<int>(names.indexOf(step));
    for (int i = 0; index < 0 && i < names.size(); ++i) {
        const qsizetype at = names[i].indexOf(QStringLiteral("%1"));
        if (at < 0 || !step.startsWith(names[i].left(at)) || !step.endsWith(names[i].mid(at + 2)))
            continue;
        number = step.mid(at, step.size() - names[i].size() + 2);
        index = !number.isEmpty() &&
                        std::all_of(number.begin(), number.end(), [](QChar c) { return c.isDigit(); })
                    ? i
                    : -1;
    }
    if (index < 0 || index >= StepTexts->Items()->Count())
        return step;
    const QString text = StepTexts->Items()->Strings(index);
    return number.isEmpty() ? text : text.arg(number);
}

void TForm1::ShowHistorySteps() {
    const QUndoStack& history = doc_.History();
    Undo1->SetCaption(StepCaption(Undo1, history.canUndo() ? StepText(history.undoText()) : QString()));
    Redo1->SetCaption(StepCaption(Redo1, history.canRedo() ? StepText(history.redoText()) : QString()));
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
