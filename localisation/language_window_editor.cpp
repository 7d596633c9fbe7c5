// The translation editor of the language window: the tree of texts and its bullets, editing a text in
// place, the search, and the table of all texts for the clipboard.
#include <QStackedWidget>
#include <QTreeWidgetItemIterator>

#include "localisation/accelerators.h"
#include "localisation/language_window.h"
#include "localisation/tree_node_data.h"
#include "widgets/platform.h"
#include "widgets/t_button.h"
#include "widgets/t_combo_box.h"
#include "widgets/t_edit.h"
#include "widgets/t_list_box.h"
#include "widgets/t_tree_view.h"

namespace {

QList<QTreeWidgetItem*> AllNodes(QTreeWidget* tree) {
    QList<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        nodes.append(*it);
    return nodes;
}

QString WithoutAccel(QString text) {
    ExtractAccel(text);
    return text;
}

// The stored text of a slot: without its ampersand.
QString StoredText(const TCompInfo& record, int slot) {
    const TItemString* string = record.GetSlotString(slot);
    return string ? string->Text : QString();
}

QString SlotName(int slot) {
    switch (slot) {
    case SlotLongHint:
        return QStringLiteral("LongHint");
    case SlotShortHint:
        return QStringLiteral("ShortHint");
    case SlotCaption:
        return QStringLiteral("Caption");
    default:
        return QStringLiteral("Strings[%1]").arg(slot);
    }
}

} // namespace

bool TLocalisation::OwnedNode(QTreeWidgetItem* node) const {
    return node && PrimaryStore.Owns(NodeRecord(node));
}

void TLocalisation::RefreshTreeKeepSelection() {
    if (!EditorOpen())
        return;
    const QList<QTreeWidgetItem*> before = AllNodes(TreeView);
    QTreeWidgetItem* selected = TreeView->currentItem();
    const TCompInfo* data = NodeRecord(selected);
    const auto index = before.indexOf(selected);
    PrimaryStore.BuildTree();
    const QList<QTreeWidgetItem*> after = AllNodes(TreeView);
    QTreeWidgetItem* found = nullptr;
    if (selected && after.size() != before.size()) {
        for (QTreeWidgetItem* node : after) {
            if (NodeRecord(node) == data) {
                found = node;
                break;
            }
        }
    } else if (index >= 0) {
        found = after.value(index);
    }
    if (found)
        TreeView->setCurrentItem(found);
}

void TLocalisation::ToggleNew(QTreeWidgetItem* node) {
    if (!OwnedNode(node))
        return;
    TCompInfo* record = NodeRecord(node);
    const int slot = NodeSlot(node);
    record->SetNew(slot, !record->IsNew(slot));
    SetNodeBullet(TreeView, node, NodeBullet(node) ^ BulletNew);
    Modified = true;
}

void TLocalisation::ToggleNewAll() {
    TreeView->Items()->BeginUpdate();
    for (QTreeWidgetItem* node : AllNodes(TreeView))
        ToggleNew(node);
    TreeView->Items()->EndUpdate();
}

void TLocalisation::ClearNewFlags() {
    for (QTreeWidgetItem* node : AllNodes(TreeView)) {
        if (!OwnedNode(node))
            continue;
        TCompInfo* record = NodeRecord(node);
        const int slot = NodeSlot(node);
        if (record->IsNew(slot))
            Modified = true;
        record->SetNew(slot, false);
        SetNodeBullet(TreeView, node, NodeBullet(node) & ~BulletNew);
    }
}

void TLocalisation::PurgeAbsentEntries(bool with_forms) {
    if (!PrimaryStore.PurgeAbsent(with_forms))
        return;
    if (CurrentIndex >= 0) {
        Modified = true;
        ButtonSave->setEnabled(true);
    }
    RefreshTreeKeepSelection();
}

// Every text of the open windows collected afresh, as shown, and flagged new.
void TLocalisation::Rescan() {
    {
        const BusyCursor hourglass;
        PrimaryStore.Clear();
        PrimaryStore.RegisterForms();
    }
    emit TextsApplied();
    RefreshTreeKeepSelection();
}

// The tree's hint names the text (TButton : ButtonSave.Caption); the reference language's text of the
// same slot goes into the edit box.
void TLocalisation::TreeViewChange(QTreeWidgetItem* node) {
    if (!OwnedNode(node))
        return;
    const TCompInfo* record = NodeRecord(node);
    const int slot = NodeSlot(node);
    TreeView->SetHint(record->ClassName + QStringLiteral(" : ") + record->Name + QLatin1Char('.') +
                      SlotName(slot));
    if (const TCompInfo* match = SecondaryStore.FindMatch(record)) {
        const QString text = StoredText(*match, slot);
        if (!text.isEmpty())
            EditText->SetText(text);
    }
}

// Shows the component whose text is about to be edited: every page on its way up to the form becomes
// the visible one.
void TLocalisation::OnElementEditing(QTreeWidgetItem* node) {
    editing_ = node;
    if (!OwnedNode(node))
        return;
    TCompInfo* record = NodeRecord(node);
    const TForm* form = record->Form ? record->Form->BoundForm() : nullptr;
    if (!form)
        return;
    QObject* component = record->IsFormRecord() ? const_cast<TForm*>(form) : record->Control.data();
    if (component != form && !form->Components().contains(component)) {
        record->Bind(nullptr);
        return;
    }
    for (auto* widget = qobject_cast<QWidget*>(component); widget && widget != form;
         widget = widget->parentWidget()) {
        if (auto* pages = qobject_cast<QStackedWidget*>(widget->parentWidget()))
            pages->setCurrentWidget(widget);
    }
}

void TLocalisation::OnElementEdited(QTreeWidgetItem* node, const QString& text) {
    if (!OwnedNode(node) || text == node->text(0))
        return;
    TCompInfo* record = NodeRecord(node);
    const int slot = NodeSlot(node);
    if (slot < SlotLongHint || slot >= record->ItemCount())
        return;
    const QString old_text = WithoutAccel(node->text(0));
    const QString shown = node->text(0);
    const int shown_bullet = NodeBullet(node);
    node->setText(0, text);
    SetNodeBullet(TreeView, node, GreenBulletOf(*record));

    TItemString* shared = record->GetSlotString(slot);
    auto answer = QMessageBox::No;
    if (shared && shared->Users.size() > 1) {
        answer = CurrentPlatform().Ask(this,
                                       Constants->Items()->Strings(0) + QLatin1Char('\n') +
                                           QStringLiteral("(%1)").arg(shared->Users.size()),
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }
    if (answer == QMessageBox::Cancel) {
        node->setText(0, shown);
        SetNodeBullet(TreeView, node, shown_bullet);
        return;
    }
    if (answer == QMessageBox::Yes) {
        const BusyCursor hourglass;
        for (QTreeWidgetItem* other : AllNodes(TreeView)) {
            if (OwnedNode(other) && WithoutAccel(other->text(0)) == old_text) {
                other->setText(0, text);
                SetNodeBullet(TreeView, other, GreenBulletOf(*NodeRecord(other)));
            }
        }
        shared->ReplaceEverywhere(text);
    } else {
        record->StoreSlotText(slot, text, true, true);
    }
    emit TextsApplied();
    Modified = true;
}

void TLocalisation::EditTextKeyPress() {
    ButtonNextClick();
}

QTreeWidgetItem* TLocalisation::NextNode(QTreeWidgetItem* from,
                                         const std::function<bool(QTreeWidgetItem*)>& matches) {
    const QList<QTreeWidgetItem*> nodes = AllNodes(TreeView);
    const auto start = from ? nodes.indexOf(from) + 1 : 0;
    for (auto i = start; i < nodes.size(); ++i) {
        if (matches(nodes[i]))
            return nodes[i];
    }
    for (QTreeWidgetItem* node : nodes) {
        if (matches(node))
            return node;
    }
    return nullptr;
}

// Enter, F3 and the ">>" button: the next text containing the search text; with an empty box the next
// red bullet; with "^x" the next text of a component gone from a window that is still there.
void TLocalisation::ButtonNextClick() {
    const QString pattern = EditText->Text();
    std::function<bool(QTreeWidgetItem*)> matches;
    if (pattern.isEmpty()) {
        matches = [](QTreeWidgetItem* node) { return NodeBullet(node) & BulletNew; };
    } else if (pattern.compare(QLatin1String("^x"), Qt::CaseInsensitive) == 0) {
        matches = [](QTreeWidgetItem* node) {
            return node->parent() && (NodeBullet(node) & BulletAbsent) &&
                   !(NodeBullet(node->parent()) & BulletAbsent);
        };
    } else {
        const Qt::CaseSensitivity sensitivity =
            pattern == pattern.toLower() ? Qt::CaseInsensitive : Qt::CaseSensitive;
        matches = [this, pattern, sensitivity](QTreeWidgetItem* node) {
            return OwnedNode(node) &&
                   StoredText(*NodeRecord(node), NodeSlot(node)).contains(pattern, sensitivity);
        };
    }
    QTreeWidgetItem* found = NextNode(TreeView->currentItem(), matches);
    if (!found)
        return;
    cbSecondaryLanguage->SetItemIndex(-1);
    cbSecondaryLanguageChange();
    TreeView->setCurrentItem(found);
    FocusTree();
}

// Every text of the current language as tab-separated lines, with the reference language beside it.
void TLocalisation::CopyTableToClipboard() {
    const bool with_reference = cbSecondaryLanguage->ItemIndex() >= 0;
    QString header = QStringLiteral(" \t") + ComboBoxLanguage->Text();
    if (with_reference)
        header += QStringLiteral("\t \t") + cbSecondaryLanguage->Text();
    QStringList lines{header};
    const auto marker = [](const TCompInfo& record, int slot) {
        return record.IsNew(slot) ? QStringLiteral(">") : QStringLiteral(" ");
    };
    for (TFormInfo* form : std::as_const(PrimaryStore.Forms)) {
        lines.append(QString());
        QList<TCompInfo*> records{form};
        records.append(form->Components);
        for (const TCompInfo* record : std::as_const(records)) {
            const TCompInfo* match = with_reference ? SecondaryStore.FindMatch(record) : nullptr;
            for (int slot = SlotLongHint; slot < record->ItemCount(); ++slot) {
                const QString text = StoredText(*record, slot);
                if (text.isEmpty())
                    continue;
                QString line = marker(*record, slot) + QLatin1Char('\t') + text;
                const QString reference = match ? StoredText(*match, slot) : QString();
                if (!reference.isEmpty())
                    line += QLatin1Char('\t') + marker(*match, slot) + QLatin1Char('\t') + reference;
                lines.append(line);
            }
        }
    }
    CurrentPlatform().SetClipboardText(lines.join(QStringLiteral("\r\n")));
}
