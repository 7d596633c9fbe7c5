#include "widgets/t_group_box.h"

#include "widgets/component_setup.h"

TGroupBox::TGroupBox(TForm* owner, QWidget* parent, const QString& name) : QGroupBox(parent) {
    SetUpComponent(this, owner, name);
    // The caption sits on the frame line, so the controls placed 12 to 16 pixels down are inside it.
    setStyleSheet(
        QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 7px; padding: 0 2px; }"));
}

void TGroupBox::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}
