// TSpinEdit: a whole number with up and down arrows; OnChange runs whenever the value changes.
#pragma once

#include <functional>

#include <QSpinBox>

class TForm;

class TSpinEdit : public QSpinBox {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(int Value READ Value WRITE SetValue)

public:
    TSpinEdit(TForm* owner, QWidget* parent, const QString& name);

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    int Value() const { return value(); }
    void SetValue(int value) { setValue(value); }
    void SetRange(int min_value, int max_value) { setRange(min_value, max_value); }

    std::function<void()> OnChange;

private:
    QString hint_;
    int tag_ = 0;
};
