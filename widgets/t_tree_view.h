// TTreeView: a tree of text nodes with optional images from a TImageList.
#pragma once

#include <QTreeWidget>

#include "widgets/t_tree_nodes.h"

class TForm;
class TImageList;

class TTreeView : public QTreeWidget {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(TTreeNodes* Items READ Items CONSTANT)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TTreeView(TForm* owner, QWidget* parent, const QString& name);

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    TTreeNodes* Items() const { return items_; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    void SetImages(TImageList* images) { images_ = images; }
    // Shows image `index` of the image list beside the node.
    void SetImageIndex(QTreeWidgetItem* node, int index);

private:
    TTreeNodes* items_;
    TImageList* images_ = nullptr;
    QString hint_;
    int tag_ = 0;
};
