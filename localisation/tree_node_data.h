// What a node of the translation tree stands for: a record of the store and one of its slots, and the
// bullet it shows. The record is only a key: compare it with the store's records (TFormList::Owns)
// before using it, since a record can be destroyed before the tree is built again.
#pragma once

class QTreeWidgetItem;
class TCompInfo;
class TTreeView;

// Bullet images: green (translated), green hatched (component absent), red (new), red hatched.
enum Bullet { BulletTranslated = 0, BulletAbsent = 1, BulletNew = 2, BulletNewAbsent = 3 };

// (1 when the record is bound to no live component or form) + (2 when the slot is new).
int BulletOf(const TCompInfo& record, int slot);
// The bullet of the record's presence state, translated.
int GreenBulletOf(const TCompInfo& record);

void SetNodeData(QTreeWidgetItem* node, TCompInfo* record, int slot);
TCompInfo* NodeRecord(const QTreeWidgetItem* node);
int NodeSlot(const QTreeWidgetItem* node);
int NodeBullet(const QTreeWidgetItem* node);
void SetNodeBullet(TTreeView* tree, QTreeWidgetItem* node, int bullet);
