// TImage: shows a picture at its top-left corner, one picture pixel per widget pixel, so mouse
// positions are picture positions; or stretched over the whole control. The picture is empty until
// one is set. While it has the focus, a dotted frame runs around it on its parent, never over the
// picture.
#pragma once

#include <functional>

#include <QImage>
#include <QWidget>

class TForm;

class TImage : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TImage(TForm* owner, QWidget* parent, const QString& name);

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    const QImage& Picture() const { return picture_; }
    // For drawing on the picture in place; call Changed() afterwards.
    QImage& Picture() { return picture_; }
    void SetPicture(const QImage& picture);
    void ClearPicture() { SetPicture(QImage()); }
    bool HasPicture() const { return !picture_.isNull(); }
    void Changed();

    // AutoSize: the control takes the picture's size. Stretch: the picture fills the control.
    void SetAutoSize(bool on) { auto_size_ = on; }
    void SetStretch(bool on) { stretch_ = on; }

    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseDown;
    std::function<void(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseUp;
    // A key pressed while the image has the focus (see SetTabStop); true when the handler used it.
    std::function<bool(int key, Qt::KeyboardModifiers shift)> OnKeyDown;
    // The image gained (true) or lost the focus.
    std::function<void(bool focused)> OnFocusChange;

    // Whether Tab and a click give the image the focus.
    void SetTabStop(bool on) { setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRect FocusFrame() const;
    QImage picture_;
    QString hint_;
    int tag_ = 0;
    bool auto_size_ = false;
    bool stretch_ = false;
};
