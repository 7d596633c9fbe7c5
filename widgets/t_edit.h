// TEdit: a one-line text box; OnChange runs whenever its text changes.
#pragma once

#include <functional>

#include <QLineEdit>

class TForm;

class TEdit : public QLineEdit {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Text READ Text WRITE SetText)

public:
    TEdit(TForm* owner, QWidget* parent, const QString& name);

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    QString Text() const { return text(); }
    void SetText(const QString& text) { setText(text); }

    std::function<void()> OnChange;

private:
    QString hint_;
    int tag_ = 0;
};
