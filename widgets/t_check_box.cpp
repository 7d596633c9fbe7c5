#include "widgets/t_check_box.h"

#include "widgets/component_setup.h"

TCheckBox::TCheckBox(TForm* owner, QWidget* parent, const QString& name) : QCheckBox(parent) {
    SetUpComponent(this, owner, name);
    connect(this, &QCheckBox::toggled, this, [this] {
        if (OnClick)
            OnClick();
    });
}

void TCheckBox::SetCaption(const QString& caption) {
    setText(caption);
    if (sizeHint().width() > width())
        resize(sizeHint().width(), height());
}

void TCheckBox::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}
