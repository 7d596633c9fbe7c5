#include "widgets/t_memo.h"

#include <QSignalBlocker>

#include "widgets/component_setup.h"

TMemo::TMemo(TForm* owner, QWidget* parent, const QString& name)
    : QPlainTextEdit(parent), lines_(new TStringList(this)) {
    SetUpComponent(this, owner, name);
    // Long lines wrap at the window's edge; resizing the window rewraps them.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(lines_, &TStringList::Changed, this, &TMemo::ShowLines);
    connect(this, &QPlainTextEdit::textChanged, this, &TMemo::TakeUserText);
}

void TMemo::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}

void TMemo::ShowLines() {
    showing_lines_ = true;
    setPlainText(lines_->ToStringList().join(QLatin1Char('\n')));
    showing_lines_ = false;
}

// Text typed by the user goes back into Lines, without redrawing the editor under the cursor.
void TMemo::TakeUserText() {
    if (showing_lines_)
        return;
    const QSignalBlocker blocker(lines_);
    lines_->Assign(toPlainText().split(QLatin1Char('\n')));
}
