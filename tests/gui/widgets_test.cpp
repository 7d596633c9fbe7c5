// The control layer: which changes run the handlers, the flat component list, key preview, menus.
#include <gtest/gtest.h>

#include <QTest>

#include "widgets/t_check_box.h"
#include "widgets/t_combo_box.h"
#include "widgets/t_edit.h"
#include "widgets/t_form.h"
#include "widgets/t_list_box.h"
#include "widgets/t_memo.h"
#include "widgets/t_menu_item.h"
#include "widgets/text_table.h"
#include "widgets/translated_pattern.h"

TEST(Widgets, ListsRunTheirHandlersOnlyForTheUser) {
    TForm form("Form");
    auto* box = new TComboBox(&form, form.Client(), "ComboBox1");
    auto* list = new TListBox(&form, form.Client(), "ListBox1");
    int changes = 0;
    int clicks = 0;
    box->OnChange = [&] { ++changes; };
    list->OnClick = [&] { ++clicks; };

    box->Items()->Assign({"a", "b", "c"});
    box->SetItemIndex(1);
    list->Items()->Assign({"x", "y"});
    list->SetItemIndex(0);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(clicks, 0);

    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(box->Text(), "c");
    EXPECT_EQ(changes, 1);
    list->setCurrentRow(1); // as a click or an arrow key does
    EXPECT_EQ(clicks, 1);

    // A click on the line already selected is a click too; one on another line counts once.
    list->resize(100, 80);
    const auto click_line = [&](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    };
    click_line(1);
    EXPECT_EQ(clicks, 2);
    click_line(0);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(list->ItemIndex(), 0);
}

TEST(Widgets, CheckBoxRunsItsHandlerForEveryChange) {
    TForm form("Form");
    auto* check = new TCheckBox(&form, form.Client(), "CheckBox1");
    int clicks = 0;
    check->OnClick = [&] { ++clicks; };
    check->SetChecked(true);
    check->SetChecked(true);
    EXPECT_EQ(clicks, 1);
}

TEST(Widgets, DestroyedComponentsLeaveTheList) {
    TForm form("Form");
    auto* first = new TEdit(&form, form.Client(), "Edit1");
    new TEdit(&form, form.Client(), "Edit2");
    delete first;
    ASSERT_EQ(form.Components().size(), 1);
    EXPECT_EQ(form.Components().first()->objectName(), "Edit2");
    EXPECT_EQ(form.FindComponent("edit2"), form.Components().first());
}

TEST(Widgets, KeyPreviewSeesKeysBeforeTheFocusedControl) {
    TForm form("Form");
    auto* edit = new TEdit(&form, form.Client(), "Edit1");
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    edit->setFocus();
    QList<int> seen;
    form.OnKeyDown = [&](int& key, Qt::KeyboardModifiers) {
        seen.append(key);
        if (key == Qt::Key_B)
            key = 0; // consumed: the edit never gets it
    };
    form.SetKeyPreview(true);
    QTest::keyClicks(edit, "ab");
    EXPECT_EQ(seen, QList<int>({Qt::Key_A, Qt::Key_B}));
    EXPECT_EQ(edit->Text(), "a");
}

TEST(Widgets, MemoLinesAndText) {
    TForm form("Form");
    auto* memo = new TMemo(&form, form.Client(), "Memo1");
    memo->Lines()->Assign({"one", "two"});
    EXPECT_EQ(memo->toPlainText(), "one\ntwo");
    memo->setPlainText("three\nfour\nfive");
    EXPECT_EQ(memo->Lines()->ToStringList(), QStringList({"three", "four", "five"}));
}

TEST(Widgets, DisabledMenuItemDoesNothing) {
    TForm form("Form");
    auto* item = new TMenuItem(&form, "Paste1");
    int clicks = 0;
    item->OnClick = [&] { ++clicks; };
    item->SetEnabled(false);
    item->Click();
    item->SetEnabled(true);
    item->Action()->trigger();
    EXPECT_EQ(clicks, 1);

    item->SetCaption("-");
    EXPECT_TRUE(item->Action()->isSeparator());
    EXPECT_EQ(item->Caption(), "-");
}

// A translation that loses or adds a placeholder shows the English text rather than a wrong one.
TEST(Widgets, TranslatedPatternsFallBackToEnglishWithoutTheirPlaceholders) {
    TForm form("Form");
    auto* texts = new TListBox(&form, form.Client(), "Texts");
    texts->Items()->Assign({"Seite %1", "%2 von %1", "Fehler", "", "Datei %1 %3"});
    EXPECT_EQ(TranslatedPattern(texts, 0, "Page %1"), "Seite %1");
    EXPECT_EQ(TranslatedPattern(texts, 1, "%1 of %2"), "%2 von %1"); // reordered is fine
    EXPECT_EQ(TranslatedPattern(texts, 2, "Error %1"), "Error %1");  // dropped
    EXPECT_EQ(TranslatedPattern(texts, 2, "Error"), "Fehler");
    EXPECT_EQ(TranslatedPattern(texts, 3, "Empty"), "Empty");
    EXPECT_EQ(TranslatedPattern(texts, 4, "File %1"), "File %1"); // one too many
    EXPECT_EQ(TranslatedPattern(texts, 5, "Past the end"), "Past the end");
    EXPECT_EQ(TranslatedPattern(nullptr, 0, "No list"), "No list");
}

// A table's hidden list holds the English patterns until a language replaces them, and its texts are
// read by their key through the placeholder rule above.
TEST(Widgets, TextTablesReadTheirHiddenListByKey) {
    enum class Key { page, error };
    TForm form("Form");
    TextTable<Key> table;
    table.Create(&form, "Texts", {"Page %1", "Error"});
    EXPECT_EQ(form.findChild<TListBox*>("Texts"), nullptr); // not among the window's widgets
    EXPECT_EQ(table.List()->Items()->ToStringList(), QStringList({"Page %1", "Error"}));
    table.List()->Items()->Assign({"Seite", "Fehler"});
    EXPECT_EQ(table.Text(Key::error), "Fehler");
    EXPECT_EQ(table.Texts(), QStringList({"Page %1", "Fehler"}));
}
