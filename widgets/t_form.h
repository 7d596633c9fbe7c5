// TForm: one window of the program. It owns its components in one flat list in creation order,
// whatever their nesting in the layout, and publishes its caption like every control.
#pragma once

#include <functional>

#include <QList>
#include <QMainWindow>
#include <QString>

class TForm : public QMainWindow {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TForm(const QString& name);
    ~TForm() override;

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint) { hint_ = hint; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // The area below the menu where the controls of the layout are placed.
    QWidget* Client() const { return client_; }

    const QList<QObject*>& Components() const { return components_; }
    QObject* FindComponent(const QString& name) const;
    // The component named `name` as a T, or null when there is none of that type.
    template <typename T> T* Control(const QString& name) const {
        return qobject_cast<T*>(FindComponent(name));
    }
    // Called by every control's constructor; a destroyed component leaves the list by itself.
    void InsertComponent(QObject* component);

    // Bounds in the outer size that the layouts give (frame included); Qt sizes the client area.
    void SetBounds(int left, int top, int width, int height);
    void SetClientSize(int width, int height);
    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const;
    int Height() const;

    void Show();
    void Hide() { hide(); }
    void Close() { close(); }
    // Shows the window application-modal and returns once it is hidden or closed.
    void ShowModal();

    // With key preview on, OnKeyDown sees every key pressed in the window before the focused control;
    // setting key to 0 consumes it.
    void SetKeyPreview(bool on);
    bool KeyPreview() const { return key_preview_; }
    std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyDown;

    // Every form alive, in creation order.
    static const QList<TForm*>& Forms();

signals:
    void Closed();
    void Hidden();

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* client_;
    QList<QObject*> components_;
    QString hint_;
    int tag_ = 0;
    bool key_preview_ = false;
};
