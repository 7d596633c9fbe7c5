// TCompInfo: the translation record of one component: its caption, short and long hint and its list
// items, each a slot that refers to a shared TItemString of the store.
//
// Slot numbers: -3 long hint, -2 short hint, -1 caption, 0 and up the items. Only the caption and the
// items carry an accelerator position. Slots outside -3 .. ItemCount() - 1 read as empty and ignore
// writes.
#pragma once

#include <array>

#include <QList>
#include <QPointer>
#include <QString>

class QObject;
class TFormInfo;
class TFormList;
class TItemString;

constexpr int SlotLongHint = -3;
constexpr int SlotShortHint = -2;
constexpr int SlotCaption = -1;

struct TItemSlot {
    TItemString* String = nullptr;
    quint8 Accel = 0;
    bool New = true;
};

class TCompInfo {
public:
    // A component record of `form`; TFormInfo passes itself.
    TCompInfo(TFormList* list, TFormInfo* form);
    virtual ~TCompInfo();
    TCompInfo(const TCompInfo&) = delete;
    TCompInfo& operator=(const TCompInfo&) = delete;

    TItemString* GetSlotString(int slot) const;
    // The slot's text with its accelerator ampersand put back; empty for an empty slot.
    QString GetSlotText(int slot) const;
    bool IsNew(int slot) const;
    void SetNew(int slot, bool is_new);
    int GetAccel(int slot) const;
    void SetAccel(int slot, int position);
    int ItemCount() const { return static_cast<int>(ItemSlots.size()); }
    int AddItemSlot();
    // Whether any slot refers to a text.
    bool HasText() const;

    // Points the slot at the store's entry for `text` (shared with every other user of the same text),
    // first taking the accelerator out when `extract` is set. Slot ItemCount() appends an item.
    void SetSlotText(int slot, QString text, bool extract);
    // SetSlotText only while the slot is still empty: collecting never overwrites a translation.
    void CollectSlotText(int slot, const QString& text, bool extract);
    // SetSlotText, marks the slot translated and, with `apply`, shows the record in its live window.
    void StoreSlotText(int slot, const QString& text, bool extract, bool apply);

    virtual void Bind(QObject* control);
    // Reads the bound component's texts (and, for a form, registers its components); false when the
    // record got nothing.
    virtual bool Collect();
    // Writes the record into the window its form record is bound to.
    void Apply();
    // Writes the record into `control` (and its linked component) when the bound form owns it.
    void ApplyTo(QObject* control);

    TFormList* List() const { return list_; }
    bool IsFormRecord() const;

    QPointer<QObject> Control;
    int CaptionAccel = 0;
    // Caption, short hint, long hint.
    std::array<bool, 3> NewFlags{true, true, true};
    QList<TItemSlot> ItemSlots;
    TFormInfo* Form;
    QString Name;
    QString ClassName;

protected:
    // Lets go of every text this record refers to.
    void ReleaseSlots();

private:
    TItemString** SlotRef(int slot);
    TItemString* const* SlotRef(int slot) const;
    void Unshare(TItemString* string);

    TFormList* list_;
    // Long hint, short hint, caption: index slot + 3.
    std::array<TItemString*, 3> texts_{};
};
