#include "localisation/comp_info.h"

#include "localisation/accelerators.h"
#include "localisation/form_info.h"
#include "localisation/form_list.h"
#include "localisation/item_string.h"

TCompInfo::TCompInfo(TFormList* list, TFormInfo* form) : Form(form), list_(list) {}

TCompInfo::~TCompInfo() {
    ReleaseSlots();
    if (!IsFormRecord() && Form)
        Form->Components.removeOne(this);
}

bool TCompInfo::IsFormRecord() const {
    return static_cast<const TCompInfo*>(Form) == this;
}

void TCompInfo::Unshare(TItemString* string) {
    string->Users.removeOne(this);
    if (string->Users.isEmpty())
        list_->DeleteString(string);
}

void TCompInfo::ReleaseSlots() {
    for (TItemString*& text : texts_) {
        if (text)
            Unshare(text);
        text = nullptr;
    }
    for (TItemSlot& item : ItemSlots) {
        if (item.String)
            Unshare(item.String);
    }
    ItemSlots.clear();
}

TItemString** TCompInfo::SlotRef(int slot) {
    if (slot >= SlotLongHint && slot <= SlotCaption)
        return &texts_[static_cast<std::size_t>(slot + 3)];
    if (slot >= 0 && slot < ItemCount())
        return &ItemSlots[slot].String;
    return nullptr;
}

TItemString* const* TCompInfo::SlotRef(int slot) const {
    return const_cast<TCompInfo*>(this)->SlotRef(slot);
}

TItemString* TCompInfo::GetSlotString(int slot) const {
    TItemString* const* ref = SlotRef(slot);
    return ref ? *ref : nullptr;
}

QString TCompInfo::GetSlotText(int slot) const {
    const TItemString* string = GetSlotString(slot);
    return string ? InsertAccel(string->Text, GetAccel(slot)) : QString();
}

bool TCompInfo::IsNew(int slot) const {
    if (slot >= SlotLongHint && slot <= SlotCaption)
        return NewFlags[static_cast<std::size_t>(-1 - slot)];
    if (slot >= 0 && slot < ItemCount())
        return ItemSlots[slot].New;
    return false;
}

void TCompInfo::SetNew(int slot, bool is_new) {
    if (slot >= SlotLongHint && slot <= SlotCaption)
        NewFlags[static_cast<std::size_t>(-1 - slot)] = is_new;
    else if (slot >= 0 && slot < ItemCount())
        ItemSlots[slot].New = is_new;
}

int TCompInfo::GetAccel(int slot) const {
    if (slot == SlotCaption)
        return CaptionAccel;
    if (slot >= 0 && slot < ItemCount())
        return ItemSlots[slot].Accel;
    return 0;
}

void TCompInfo::SetAccel(int slot, int position) {
    if (slot == SlotCaption)
        CaptionAccel = position;
    else if (slot >= 0 && slot < ItemCount())
        ItemSlots[slot].Accel = static_cast<quint8>(position >= 0 && position <= 255 ? position : 0);
}

int TCompInfo::AddItemSlot() {
    ItemSlots.append(TItemSlot{});
    return ItemCount() - 1;
}

bool TCompInfo::HasText() const {
    for (int slot = SlotLongHint; slot < ItemCount(); ++slot) {
        if (GetSlotString(slot))
            return true;
    }
    return false;
}

void TCompInfo::SetSlotText(int slot, QString text, bool extract) {
    if (slot > ItemCount() || slot < SlotLongHint)
        return;
    if (slot == ItemCount())
        AddItemSlot();
    if (extract && slot >= SlotCaption)
        SetAccel(slot, ExtractAccel(text));
    text.truncate(MaxTextLength);
    TItemString** ref = SlotRef(slot);
    if (*ref && (*ref)->Text == text)
        return;
    if (*ref)
        Unshare(*ref);
    *ref = nullptr;
    if (text.isEmpty())
        return;
    TItemString* string = list_->FindString(text);
    if (!string)
        string = list_->AddString(text);
    string->Users.append(this);
    *ref = string;
}

void TCompInfo::CollectSlotText(int slot, const QString& text, bool extract) {
    if (!GetSlotString(slot))
        SetSlotText(slot, text, extract);
}

void TCompInfo::StoreSlotText(int slot, const QString& text, bool extract, bool apply) {
    SetSlotText(slot, text, extract);
    SetNew(slot, false);
    if (apply)
        Apply();
}

void TCompInfo::Bind(QObject* control) {
    Control = control;
}
