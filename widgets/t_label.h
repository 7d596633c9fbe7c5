// TLabel: a line of text; with AutoSize on it keeps its size fitted to the caption.
#pragma once

#include <QLabel>

class TForm;

class TLabel : public QLabel {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TLabel(TForm* owner, QWidget* parent, const QString& name);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);

private:
    QString hint_;
    int tag_ = 0;
    bool auto_size_ = true;
};
