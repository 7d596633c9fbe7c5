// TMemo: several lines of text, published as Lines.
#pragma once

#include <QPlainTextEdit>

#include "widgets/t_strings.h"

class TForm;

class TMemo : public QPlainTextEdit {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(TStrings* Lines READ Lines CONSTANT)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TMemo(TForm* owner, QWidget* parent, const QString& name);

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    TStrings* Lines() const { return lines_; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool on) { setReadOnly(on); }

private:
    void ShowLines();
    void TakeUserText();

    TStringList* lines_;
    QString hint_;
    int tag_ = 0;
    bool showing_lines_ = false;
};
