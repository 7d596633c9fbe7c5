#include "widgets/t_spin_edit.h"

#include "widgets/component_setup.h"

TSpinEdit::TSpinEdit(TForm* owner, QWidget* parent, const QString& name) : QSpinBox(parent) {
    SetUpComponent(this, owner, name);
    connect(this, &QSpinBox::valueChanged, this, [this] {
        if (OnChange)
            OnChange();
    });
}

void TSpinEdit::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}
