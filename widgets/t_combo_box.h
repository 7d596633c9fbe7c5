// TComboBox: a drop-down list. OnChange runs only when the user picks an item; filling the list or
// setting its selection from the program runs nothing.
#pragma once

#include <functional>

#include <QComboBox>

#include "widgets/t_strings.h"

class TForm;

class TComboBox : public QComboBox {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(TStrings* Items READ Items CONSTANT)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Text READ Text WRITE SetText)

public:
    TComboBox(TForm* owner, QWidget* parent, const QString& name);

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    TStrings* Items() const { return items_; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    // The selected item's text; setting it selects the item with that text, if any.
    QString Text() const { return currentText(); }
    void SetText(const QString& text);

    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int index);

    std::function<void()> OnChange;

private:
    TStrings* items_;
    QString hint_;
    int tag_ = 0;
};
