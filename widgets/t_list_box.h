// TListBox: a list of lines with one selected. OnClick runs when the user selects a line, or clicks the
// line already selected; filling the list or setting its selection from the program runs nothing.
#pragma once

#include <functional>

#include <QListWidget>
#include <QStringList>

#include "widgets/t_strings.h"

class TForm;

class TListBox : public QListWidget {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(TStrings* Items READ Items CONSTANT)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TListBox(TForm* owner, QWidget* parent, const QString& name);

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    TStrings* Items() const { return items_; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int ItemIndex() const { return currentRow(); }
    void SetItemIndex(int index);

    std::function<void()> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    TStrings* items_;
    QString hint_;
    int tag_ = 0;
};

// A list that is never shown: it carries texts (messages, patterns) under its component name, so
// that language files translate them as they translate any control. It is no part of the window's
// widgets, so nothing of it reaches the accessibility tree.
TListBox* HiddenTextList(TForm* owner, const QString& name, const QStringList& items);
