// TPanel: a raised area that holds other controls and may show a caption in its middle.
#pragma once

#include <QFrame>

class TForm;

class TPanel : public QFrame {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TPanel(TForm* owner, QWidget* parent, const QString& name);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QString hint_;
    int tag_ = 0;
};
