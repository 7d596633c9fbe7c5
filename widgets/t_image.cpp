#include "widgets/t_image.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/component_setup.h"

TImage::TImage(TForm* owner, QWidget* parent, const QString& name) : QWidget(parent) {
    SetUpComponent(this, owner, name);
    // Moves are reported with and without a button held, as the selection drags need.
    setMouseTracking(true);
    if (parent)
        parent->installEventFilter(this);
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
}

// The ring of parent pixels just outside the image.
QRect TImage::FocusFrame() const {
    return geometry().adjusted(-1, -1, 0, 0);
}

// The dotted frame says which control the keys go to. It is drawn on the parent after the parent has
// painted itself, so every pixel of the picture stays as it is.
bool TImage::eventFilter(QObject* watched, QEvent* event) {
    if (watched != parentWidget() || event->type() != QEvent::Paint || !hasFocus() || !isVisible())
        return QWidget::eventFilter(watched, event);
    watched->event(event);
    QPainter painter(parentWidget());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.drawRect(FocusFrame());
    return true;
}

void TImage::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown && OnKeyDown(event->key(), event->modifiers()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void TImage::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (parentWidget())
        parentWidget()->update(FocusFrame().adjusted(0, 0, 1, 1));
    if (OnFocusChange)
        OnFocusChange(true);
}

void TImage::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (parentWidget())
        parentWidget()->update(FocusFrame().adjusted(0, 0, 1, 1));
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
