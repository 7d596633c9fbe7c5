#include "widgets/t_tree_nodes.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

TTreeNodes::TTreeNodes(QTreeWidget* tree) : QObject(tree), tree_(tree) {}

int TTreeNodes::Count() const {
    int count = 0;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        ++count;
    return count;
}

QTreeWidgetItem* TTreeNodes::Item(int index) const {
    if (index < 0)
        return nullptr;
    QTreeWidgetItemIterator it(tree_);
    for (int i = 0; *it && i < index; ++i)
        ++it;
    return *it;
}

QString TTreeNodes::Text(int index) const {
    const QTreeWidgetItem* node = Item(index);
    return node ? node->text(0) : QString();
}

void TTreeNodes::SetText(int index, const QString& text) {
    if (QTreeWidgetItem* node = Item(index))
        node->setText(0, text);
}

QTreeWidgetItem* TTreeNodes::AddChild(QTreeWidgetItem* parent, const QString& text) {
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    node->setText(0, text);
    return node;
}

void TTreeNodes::Clear() {
    tree_->clear();
}

void TTreeNodes::BeginUpdate() {
    if (update_count_++ == 0)
        tree_->setUpdatesEnabled(false);
}

void TTreeNodes::EndUpdate() {
    if (update_count_ > 0 && --update_count_ == 0)
        tree_->setUpdatesEnabled(true);
}
