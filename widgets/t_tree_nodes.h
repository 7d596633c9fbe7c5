// TTreeNodes: the nodes of a tree view, published as its Items. Nodes are counted in absolute order:
// each node, then its children, depth first from the top.
#pragma once

#include <QObject>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

class TTreeNodes : public QObject {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")

public:
    explicit TTreeNodes(QTreeWidget* tree);

    int Count() const;
    QTreeWidgetItem* Item(int index) const;
    QString Text(int index) const;
    void SetText(int index, const QString& text);

    // A new node at the end of the top level (parent null) or of parent's children.
    QTreeWidgetItem* AddChild(QTreeWidgetItem* parent, const QString& text);
    void Clear();

    void BeginUpdate();
    void EndUpdate();

private:
    QTreeWidget* tree_;
    int update_count_ = 0;
};
