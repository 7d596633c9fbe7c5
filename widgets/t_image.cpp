#include "widgets/t_image.h"

#include <QKeyEvent>
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
    QPainter painter(this);
    if (stretch_ && !picture_.isNull())
        painter.drawImage(rect(), picture_);
    else if (!picture_.isNull())
        painter.drawImage(0, 0, picture_);
    // The dotted frame says which control the keys go to.
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TImage::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown && OnKeyDown(event->key(), event->modifiers()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void TImage::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    if (OnFocusChange)
        OnFocusChange(true);
}

void TImage::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
    if (OnFocusChange)
        OnFocusChange(false);
}

void TImage::mousePressEvent(QMouseEvent* event) {
    if (focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
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
