// TImageList: small images of one size, used by index (tree node bullets and the like).
#pragma once

#include <QImage>
#include <QList>
#include <QObject>

class TForm;

class TImageList : public QObject {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TImageList(TForm* owner, const QString& name, int width = 16, int height = 16);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Scaled to the list's size when it has another.
    int Add(const QImage& image);
    QImage Image(int index) const { return images_.value(index); }
    void Clear() { images_.clear(); }

private:
    QList<QImage> images_;
    int width_;
    int height_;
    int tag_ = 0;
};
