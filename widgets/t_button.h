// TButton: a push button; OnClick runs when it is pressed.
#pragma once

#include <functional>

#include <QPushButton>

class TForm;

class TButton : public QPushButton {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TButton(TForm* owner, QWidget* parent, const QString& name);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    std::function<void()> OnClick;

private:
    QString hint_;
    int tag_ = 0;
};
