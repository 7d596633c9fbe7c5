// TCheckBox: OnClick runs whenever the check changes, by the user or by the program, so handlers that
// must ignore the program's changes keep a flag of their own.
#pragma once

#include <functional>

#include <QCheckBox>

class TForm;

class TCheckBox : public QCheckBox {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TCheckBox(TForm* owner, QWidget* parent, const QString& name);

    QString Caption() const { return text(); }
    // Widens the box when the caption (in this font or a translation) would be cut off.
    void SetCaption(const QString& caption);
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    bool Checked() const { return isChecked(); }
    void SetChecked(bool checked) { setChecked(checked); }

    std::function<void()> OnClick;

private:
    QString hint_;
    int tag_ = 0;
};
