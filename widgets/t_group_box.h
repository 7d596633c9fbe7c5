// TGroupBox: a framed, captioned area; the controls inside are placed relative to its top-left corner.
#pragma once

#include <QGroupBox>

class TForm;

class TGroupBox : public QGroupBox {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TGroupBox(TForm* owner, QWidget* parent, const QString& name);

    QString Caption() const { return title(); }
    void SetCaption(const QString& caption) { setTitle(caption); }
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

private:
    QString hint_;
    int tag_ = 0;
};
