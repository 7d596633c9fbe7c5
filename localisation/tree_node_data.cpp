#include "localisation/tree_node_data.h"

#include <QTreeWidgetItem>

#include "localisation/form_info.h"
#include "widgets/t_tree_view.h"

namespace {

constexpr int RecordRole = Qt::UserRole;
constexpr int SlotRole = Qt::UserRole + 1;
constexpr int BulletRole = Qt::UserRole + 2;

bool Present(const TCompInfo& record) {
    if (record.IsFormRecord())
        return static_cast<const TFormInfo&>(record).BoundForm() != nullptr;
    return !record.Control.isNull();
}

} // namespace

int BulletOf(const TCompInfo& record, int slot) {
    return GreenBulletOf(record) + (record.IsNew(slot) ? BulletNew : 0);
}

int GreenBulletOf(const TCompInfo& record) {
    return Present(record) ? BulletTranslated : BulletAbsent;
}

void SetNodeData(QTreeWidgetItem* node, TCompInfo* record, int slot) {
    node->setData(0, RecordRole, QVariant::fromValue(reinterpret_cast<quintptr>(record)));
    node->setData(0, SlotRole, slot);
}

TCompInfo* NodeRecord(const QTreeWidgetItem* node) {
    return node ? reinterpret_cast<TCompInfo*>(node->data(0, RecordRole).value<quintptr>()) : nullptr;
}

int NodeSlot(const QTreeWidgetItem* node) {
    return node ? node->data(0, SlotRole).toInt() : 0;
}

int NodeBullet(const QTreeWidgetItem* node) {
    return node ? node->data(0, BulletRole).toInt() : 0;
}

void SetNodeBullet(TTreeView* tree, QTreeWidgetItem* node, int bullet) {
    node->setData(0, BulletRole, bullet);
    tree->SetImageIndex(node, bullet);
}
