#include "widgets/t_edit.h"

#include "widgets/component_setup.h"

TEdit::TEdit(TForm* owner, QWidget* parent, const QString& name) : QLineEdit(parent) {
    SetUpComponent(this, owner, name);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            OnChange();
    });
}

void TEdit::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}
