// The document's edit history: recording steps, undoing and redoing them, announcing what each changed,
// and keeping the memory the steps hold within the limit by dropping the oldest ones.
#include <QSignalBlocker>
#include <QUndoCommand>

#include "document/level_document.h"

// One step of the history. Its redo applies the change the edit holds, its undo takes it back; both go
// through the document, which announces what changed.
class EditCommand : public QUndoCommand {
public:
    EditCommand(LevelDocument& document, HistoryStep step, std::shared_ptr<DocumentEdit> edit)
        : document_(document), step_(step), edit_(std::move(edit)) {}
    void undo() override { document_.Apply(*edit_); }
    void redo() override { document_.Apply(*edit_); }
    const std::shared_ptr<DocumentEdit>& Edit() const { return edit_; }
    HistoryStep Step() const { return step_; }

private:
    LevelDocument& document_;
    HistoryStep step_;
    std::shared_ptr<DocumentEdit> edit_;
};

namespace {

const EditCommand& CommandAt(const QUndoStack& history, int index) {
    return static_cast<const EditCommand&>(*history.command(index));
}

} // namespace

void LevelDocument::ConnectHistory() {
    connect(&history_, &QUndoStack::cleanChanged, this, [this] { emit ModifiedChanged(IsModified()); });
    connect(&history_, &QUndoStack::indexChanged, this, &LevelDocument::HistoryChanged);
}

void LevelDocument::Undo() {
    history_.undo();
}

void LevelDocument::Redo() {
    history_.redo();
}

void LevelDocument::ClearHistory() {
    const bool opened = history_.index() == opened_index_;
    const bool modified = !history_.isClean();
    history_.clear();
    if (modified)
        history_.resetClean();
    opened_index_ = opened ? 0 : -1;
}

void LevelDocument::Apply(DocumentEdit& edit) {
    if (replaying_)
        return;
    usage_.reset();
    Announce(edit.Swap(level_, sets_));
}

void LevelDocument::Announce(const EditChange& change) {
    switch (change.what) {
    case EditChange::What::page_pixels:
        emit PageChanged(change.index);
        break;
    case EditChange::What::textures: {
        const int length = level_.num_object_textures;
        if (change.index >= 0)
            SetSelectedTexture(length > 0 ? std::min(change.index, length - 1) : -1);
        emit TexturesChanged();
        break;
    }
    case EditChange::What::animated_sets:
        emit AnimatedSetsChanged();
        break;
    case EditChange::What::page_added:
        emit PageAdded(change.index);
        break;
    case EditChange::What::page_removed:
        emit PageRemoved(change.index);
        break;
    case EditChange::What::several:
        for (const EditChange& part : change.parts)
            Announce(part);
        break;
    }
}

HistoryStep LevelDocument::UndoStep() const {
    return CommandAt(history_, history_.index() - 1).Step();
}

HistoryStep LevelDocument::RedoStep() const {
    return CommandAt(history_, history_.index()).Step();
}

void LevelDocument::Push(HistoryStep step, std::shared_ptr<DocumentEdit> edit) {
    history_.push(new EditCommand(*this, step, std::move(edit)));
    TrimHistory();
}

void LevelDocument::Record(HistoryStep step, std::shared_ptr<DocumentEdit> edit) {
    edit->Swap(level_, sets_);
    Push(step, std::move(edit));
}

std::size_t LevelDocument::HistoryBytes() const {
    std::size_t bytes = 0;
    for (int i = 0; i < history_.count(); ++i)
        bytes += CommandAt(history_, i).Edit()->Bytes();
    return bytes;
}

// QUndoStack cannot drop its oldest commands, so the newest ones are pushed again onto an empty stack
// (moving nothing in the document), and the clean step follows them when it is among them. Trimming
// goes an eighth below the limit so that the rebuild is not repeated on every step.
void LevelDocument::TrimHistory() {
    std::size_t bytes = HistoryBytes();
    if (bytes <= history_limit_)
        return;
    const std::size_t target = history_limit_ - history_limit_ / 8;
    const int count = history_.count();
    int drop = 0;
    while (bytes > target && drop < count - 1)
        bytes -= CommandAt(history_, drop++).Edit()->Bytes();
    if (drop == 0)
        return;
    std::vector<std::pair<HistoryStep, std::shared_ptr<DocumentEdit>>> kept;
    for (int i = drop; i < count; ++i)
        kept.emplace_back(CommandAt(history_, i).Step(), CommandAt(history_, i).Edit());
    const int clean = history_.cleanIndex();
    {
        const QSignalBlocker quiet(history_);
        replaying_ = true;
        history_.clear();
        for (auto& [step, edit] : kept)
            history_.push(new EditCommand(*this, step, std::move(edit)));
        if (clean >= drop) {
            history_.setIndex(clean - drop);
            history_.setClean();
            history_.setIndex(history_.count());
        } else {
            history_.resetClean();
        }
        replaying_ = false;
    }
    opened_index_ = opened_index_ >= drop ? opened_index_ - drop : -1;
    emit ModifiedChanged(IsModified());
    emit HistoryChanged();
}
