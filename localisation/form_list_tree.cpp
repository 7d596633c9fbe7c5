// The translation tree of a store: a root node per form record, under it a node per text.
#include <QTreeWidgetItem>

#include "localisation/form_list.h"
#include "localisation/tree_node_data.h"
#include "widgets/platform.h"
#include "widgets/t_tree_view.h"

namespace {

// Suspends the tree's painting and marks the store busy for the life of the object.
class TreeUpdate {
public:
    TreeUpdate(TFormList& store) : store_(store) {
        store_.Busy = true;
        store_.Tree->Items()->BeginUpdate();
    }
    ~TreeUpdate() {
        store_.Tree->Items()->EndUpdate();
        store_.Busy = false;
    }
    TreeUpdate(const TreeUpdate&) = delete;
    TreeUpdate& operator=(const TreeUpdate&) = delete;

private:
    TFormList& store_;
};

QTreeWidgetItem* AddNode(TTreeView* tree, QTreeWidgetItem* parent, TCompInfo* record, int slot) {
    QTreeWidgetItem* node = tree->Items()->AddChild(parent, record->GetSlotText(slot));
    node->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    SetNodeData(node, record, slot);
    SetNodeBullet(tree, node, BulletOf(*record, slot));
    return node;
}

bool InRange(const TCompInfo* record, int slot) {
    return slot >= SlotLongHint && slot < record->ItemCount();
}

} // namespace

void TFormList::BuildTree() {
    if (Busy || !Tree)
        return;
    const BusyCursor hourglass;
    const TreeUpdate update(*this);
    Tree->Items()->Clear();
    for (TFormInfo* form : std::as_const(Forms)) {
        QTreeWidgetItem* root = AddNode(Tree, nullptr, form, SlotCaption);
        for (TCompInfo* component : std::as_const(form->Components)) {
            for (int slot = SlotLongHint; slot < component->ItemCount(); ++slot) {
                if (!component->GetSlotText(slot).isEmpty())
                    AddNode(Tree, root, component, slot);
            }
        }
    }
}

void TFormList::RefreshTree() {
    if (Busy || !Tree)
        return;
    const BusyCursor hourglass;
    const TreeUpdate update(*this);
    for (int i = Tree->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* root = Tree->topLevelItem(i);
        auto* form = static_cast<TFormInfo*>(NodeRecord(root));
        if (!Forms.contains(form)) {
            delete root;
            continue;
        }
        for (int j = root->childCount() - 1; j >= 0; --j) {
            QTreeWidgetItem* node = root->child(j);
            TCompInfo* record = NodeRecord(node);
            if (!form->Components.contains(record))
                delete node;
        }
        QList<QTreeWidgetItem*> nodes{root};
        for (int j = 0; j < root->childCount(); ++j)
            nodes.append(root->child(j));
        for (QTreeWidgetItem* node : nodes) {
            TCompInfo* record = NodeRecord(node);
            const int slot = NodeSlot(node);
            if (!InRange(record, slot))
                continue;
            node->setText(0, record->GetSlotText(slot));
            SetNodeBullet(Tree, node, BulletOf(*record, slot));
        }
    }
}
