// The document's edit history: recording steps, undoing and redoing them, and keeping the memory the
// steps hold within the limit by dropping the oldest ones.
#include <QSignalBlocker>

#include "document/level_document.h"

namespace {

const EditCommand& CommandAt(const QUndoStack& history, int index) {
    return static_cast<const EditCommand&>(*history.command(index));
}

} // namespace

void LevelDocument::SwapEdit(DocumentEdit& edit) {
    if (replaying_)
        return;
    edit.Swap(level_, sets_);
    edit.Announce(*this);
}

void LevelDocument::Record(const QString& step, std::shared_ptr<DocumentEdit> edit) {
    history_.push(new EditCommand(*this, step, std::move(edit), true));
    TrimHistory();
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
    std::vector<std::pair<QString, std::shared_ptr<DocumentEdit>>> kept;
    for (int i = drop; i < count; ++i)
        kept.emplace_back(history_.command(i)->text(), CommandAt(history_, i).Edit());
    const int clean = history_.cleanIndex();
    {
        const QSignalBlocker quiet(history_);
        replaying_ = true;
        history_.clear();
        for (auto& [text, edit] : kept)
            history_.push(new EditCommand(*this, text, std::move(edit), false));
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
    emit history_.cleanChanged(history_.isClean());
    emit history_.indexChanged(history_.index());
    emit history_.canUndoChanged(history_.canUndo());
    emit history_.undoTextChanged(history_.undoText());
}
