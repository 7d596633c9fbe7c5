// Item delegates of the language window: the owner-drawn rows of the two language boxes, and the
// in-place editor of the translation tree, which hands the typed text to the window instead of
// writing it into the node.
#pragma once

#include <functional>

#include <QStyledItemDelegate>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

class LanguageItemDelegate : public QStyledItemDelegate {
public:
    using DrawItem = std::function<void(QPainter&, const QRect&, int index, bool selected)>;
    LanguageItemDelegate(QComboBox* box, DrawItem draw);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    DrawItem draw_;
};

class NodeEditDelegate : public QStyledItemDelegate {
public:
    using NodeHandler = std::function<void(QTreeWidgetItem*)>;
    using EditedHandler = std::function<void(QTreeWidgetItem*, const QString&)>;
    NodeEditDelegate(QTreeWidget* tree, NodeHandler editing, EditedHandler edited, NodeHandler ended);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

private:
    QTreeWidgetItem* Node(const QModelIndex& index) const;

    QTreeWidget* tree_;
    NodeHandler editing_;
    EditedHandler edited_;
    NodeHandler ended_;
};

// Language boxes keep the look of a drop-down list but draw the chosen item with the same rule as
// the rows.
constexpr int LanguageItemHeight = 20;
