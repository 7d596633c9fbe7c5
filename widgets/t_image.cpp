#include "widgets/t_image.h"

#include <QMouseEvent>
#include <QPainter>

#include "widgets/component_setup.h"

TImage::TImage(TForm* owner, QWidget* parent, const QString& name) : QWidget(parent) {
    SetUpComponent(this, owner, name);
    // Moves are reported with and without a button held, as the selection drags need.
    setMouseTracking(true);
}

void TImage::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}

void TImage::SetPicture(const QImage& picture) {
    picture_ = picture;
    Changed();
}

void TImage::Changed() {
    if (auto_size_ && !picture_.isNull())
        resize(picture_.size());
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (stretch_)
        painter.drawImage(rect(), picture_);
    else
        painter.drawImage(0, 0, picture_);
}

void TImage::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) {
        const QPoint at = event->position().toPoint();
        OnMouseDown(event->button(), event->modifiers(), at.x(), at.y());
    }
}

void TImage::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) {
        const QPoint at = event->position().toPoint();
        OnMouseMove(event->buttons(), event->modifiers(), at.x(), at.y());
    }
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp) {
        const QPoint at = event->position().toPoint();
        OnMouseUp(event->button(), event->modifiers(), at.x(), at.y());
    }
}
