#include "localisation/language_delegates.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QTreeWidget>

LanguageItemDelegate::LanguageItemDelegate(QComboBox* box, DrawItem draw)
    : QStyledItemDelegate(box), draw_(std::move(draw)) {}

void LanguageItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    draw_(*painter, option.rect, index.row(), selected);
    painter->restore();
}

QSize LanguageItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), LanguageItemHeight};
}

NodeEditDelegate::NodeEditDelegate(QTreeWidget* tree, NodeHandler editing, EditedHandler edited,
                                   NodeHandler ended)
    : QStyledItemDelegate(tree), tree_(tree), editing_(std::move(editing)), edited_(std::move(edited)),
      ended_(std::move(ended)) {}

QTreeWidgetItem* NodeEditDelegate::Node(const QModelIndex& index) const {
    return tree_->itemFromIndex(index);
}

QWidget* NodeEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    editing_(Node(index));
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void NodeEditDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    if (const auto* line = qobject_cast<QLineEdit*>(editor))
        edited_(Node(index), line->text());
}

void NodeEditDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    ended_(Node(index));
    QStyledItemDelegate::destroyEditor(editor, index);
}
