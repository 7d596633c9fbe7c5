// The translation store: accelerators, texts shared between slots, and what destroying records does.
#include <gtest/gtest.h>

#include "localisation/accelerators.h"
#include "localisation/form_list.h"

namespace {

TCompInfo* Component(TFormInfo* form, const QString& name) {
    TCompInfo* record = form->AddComponent(nullptr);
    record->Name = name;
    record->ClassName = QStringLiteral("TButton");
    return record;
}

} // namespace

TEST(Accelerators, FirstSingleAmpersandMarksTheLetter) {
    struct Case {
        QString text;
        QString stored;
        int position;
    };
    const Case cases[] = {
        {"&Open", "Open", 1}, {"a && b", "a & b", 4}, {"&&x", "&x", 2},      {"Save &As", "Save As", 6},
        {"end&", "end&", 0},  {"&", "&", 0},          {"plain", "plain", 0},
    };
    for (const Case& c : cases) {
        QString text = c.text;
        EXPECT_EQ(ExtractAccel(text), c.position) << c.text.toStdString();
        EXPECT_EQ(text, c.stored) << c.text.toStdString();
        EXPECT_EQ(InsertAccel(c.stored, c.position), c.position ? c.text : c.stored);
    }
}

TEST(Store, SlotsKeepTheAmpersandOutAndGiveItBack) {
    TFormList store;
    TCompInfo* record = Component(store.AddForm(nullptr), "Button1");
    record->SetSlotText(SlotCaption, "&Open", true);
    EXPECT_EQ(record->GetSlotString(SlotCaption)->Text, "Open");
    EXPECT_EQ(record->GetAccel(SlotCaption), 1);
    EXPECT_EQ(record->GetSlotText(SlotCaption), "&Open");

    record->SetSlotText(0, "a && b", true);
    EXPECT_EQ(record->GetSlotString(0)->Text, "a & b");
    EXPECT_EQ(record->GetSlotText(0), "a && b");
    // Hints carry no accelerator; slots beyond the next item are ignored.
    record->SetSlotText(SlotShortHint, "&Hint", true);
    EXPECT_EQ(record->GetSlotText(SlotShortHint), "&Hint");
    record->SetSlotText(5, "far", true);
    EXPECT_EQ(record->ItemCount(), 1);
    EXPECT_TRUE(record->IsNew(0)); // a new slot is new, and setting a text does not change that
}

TEST(Store, EqualTextsAreSharedUntilOneUserChanges) {
    TFormList store;
    TFormInfo* form = store.AddForm(nullptr);
    TCompInfo* first = Component(form, "Button1");
    TCompInfo* second = Component(form, "Button2");
    first->SetSlotText(SlotCaption, "OK", true);
    second->SetSlotText(SlotCaption, "OK", true);
    second->SetSlotText(SlotShortHint, "OK", false);
    ASSERT_EQ(store.Strings.size(), 1);
    EXPECT_EQ(store.Strings[0]->Users, QList<TCompInfo*>({first, second, second}));

    first->SetSlotText(SlotCaption, "Fine", true);
    EXPECT_EQ(store.Strings.size(), 2);
    EXPECT_EQ(second->GetSlotText(SlotCaption), "OK");
    EXPECT_EQ(store.Strings[0]->Users, QList<TCompInfo*>({second, second}));

    // Emptying a slot drops its reference; the text goes with its last user.
    first->SetSlotText(SlotCaption, "", true);
    EXPECT_EQ(first->GetSlotString(SlotCaption), nullptr);
    EXPECT_EQ(store.Strings.size(), 1);
    delete second;
    EXPECT_TRUE(store.Strings.isEmpty());
    EXPECT_EQ(form->Components, QList<TCompInfo*>({first}));
}

TEST(Store, ReplaceEverywhereChangesEveryUserAndTheirAccelerator) {
    TFormList store;
    TFormInfo* form = store.AddForm(nullptr);
    TCompInfo* first = Component(form, "Button1");
    TCompInfo* second = Component(form, "Button2");
    first->SetSlotText(SlotCaption, "&Yes", true);
    second->SetSlotText(0, "Yes", true);
    second->SetNew(0, false);
    store.Strings[0]->ReplaceEverywhere("O&ui");
    EXPECT_EQ(first->GetSlotText(SlotCaption), "O&ui");
    EXPECT_EQ(second->GetSlotText(0), "O&ui");
    EXPECT_TRUE(first->IsNew(SlotCaption));
    EXPECT_FALSE(second->IsNew(0));
}

TEST(Store, ClearPurgeAndMatchingAcrossStores) {
    TFormList store;
    TFormInfo* form = store.AddForm(nullptr);
    form->Name = "Form1";
    form->ClassName = "TForm1";
    form->SetSlotText(SlotCaption, "Main", true);
    TCompInfo* button = Component(form, "Button1");
    button->SetSlotText(SlotCaption, "Main", true);

    TFormList other;
    TFormInfo* other_form = other.AddForm(nullptr);
    other_form->Name = "Form1";
    other_form->ClassName = "TForm1";
    TCompInfo* other_button = Component(other_form, "Button1");
    EXPECT_EQ(store.FindMatch(other_form), form);
    EXPECT_EQ(store.FindMatch(other_button), button);
    EXPECT_TRUE(store.Owns(button));
    EXPECT_FALSE(store.Owns(other_button));

    // An unbound window keeps its records unless windows are purged too.
    EXPECT_FALSE(store.PurgeAbsent(false));
    EXPECT_EQ(form->Components.size(), 1);
    EXPECT_TRUE(store.PurgeAbsent(true));
    EXPECT_TRUE(store.Forms.isEmpty());
    EXPECT_TRUE(store.Strings.isEmpty());
    EXPECT_FALSE(store.PurgeAbsent(true));

    other_form->SetSlotText(SlotCaption, "x", true);
    other.Clear();
    EXPECT_TRUE(other.Forms.isEmpty());
    EXPECT_TRUE(other.Strings.isEmpty());
}
