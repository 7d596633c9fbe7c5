#include "widgets/t_button.h"

#include "widgets/component_setup.h"

TButton::TButton(TForm* owner, QWidget* parent, const QString& name) : QPushButton(parent) {
    SetUpComponent(this, owner, name);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (OnClick)
            OnClick();
    });
}

void TButton::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}
