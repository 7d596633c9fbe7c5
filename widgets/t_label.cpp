#include "widgets/t_label.h"

#include "widgets/component_setup.h"

TLabel::TLabel(TForm* owner, QWidget* parent, const QString& name) : QLabel(parent) {
    SetUpComponent(this, owner, name);
    // File names are shown as they are, never as markup.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TLabel::SetCaption(const QString& caption) {
    setText(caption);
    if (auto_size_)
        adjustSize();
}

void TLabel::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}

void TLabel::SetAutoSize(bool on) {
    auto_size_ = on;
    if (on)
        adjustSize();
}
