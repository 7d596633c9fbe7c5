#include "widgets/t_panel.h"

#include <QPainter>

#include "widgets/component_setup.h"

TPanel::TPanel(TForm* owner, QWidget* parent, const QString& name) : QFrame(parent) {
    SetUpComponent(this, owner, name);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
}

void TPanel::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TPanel::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}

void TPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (caption_.isEmpty())
        return;
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignCenter, caption_);
}
