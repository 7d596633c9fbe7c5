// Collecting texts from real widgets and applying them back.
#include <gtest/gtest.h>

#include <memory>

#include "localisation/component_link.h"
#include "localisation/data_captions.h"
#include "localisation/form_list.h"
#include "widgets/t_button.h"
#include "widgets/t_collection.h"
#include "widgets/t_combo_box.h"
#include "widgets/t_edit.h"
#include "widgets/t_form.h"
#include "widgets/t_label.h"
#include "widgets/t_list_box.h"
#include "widgets/t_menu_item.h"
#include "widgets/t_tree_nodes.h"
#include "widgets/t_tree_view.h"

namespace {

class TColumn : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Alignment READ Alignment)

public:
    using TCollectionItem::TCollectionItem;
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }
    QString Alignment() const { return QStringLiteral("left"); }

private:
    QString caption_;
};

class TColumns : public TCollection {
    Q_OBJECT

public:
    using TCollection::TCollection;
    int Count() const override { return static_cast<int>(columns.size()); }
    QObject* Item(int index) const override { return columns.value(index); }
    QList<TColumn*> columns;
};

// A control with a collection of columns and a caption one level down, in a sub-object.
class TColumnPanel : public QObject {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(TCollection* Columns READ Columns CONSTANT)
    Q_PROPERTY(TColumn* Title READ Title CONSTANT)
    Q_PROPERTY(int Tag READ Tag)

public:
    TColumnPanel(TForm* owner, const QString& name) : QObject(owner) {
        setObjectName(name);
        owner->InsertComponent(this);
        for (const char* caption : {"Name", "Size"}) {
            columns_->columns.append(new TColumn(columns_));
            columns_->columns.last()->SetCaption(caption);
        }
        title_->SetCaption(QStringLiteral("Columns"));
    }
    TCollection* Columns() const { return columns_; }
    TColumn* Title() const { return title_; }
    int Tag() const { return 0; }
    TColumns* columns_ = new TColumns(this);
    TColumn* title_ = new TColumn(this);
};

class TranslationTest : public ::testing::Test {
protected:
    TForm* NewForm(const QString& name, const QString& caption) {
        forms_.push_back(std::make_unique<TForm>(name));
        forms_.back()->SetCaption(caption);
        return forms_.back().get();
    }
    TCompInfo* Record(const QString& form_name, const QString& name) const {
        for (TFormInfo* form : store_.Forms) {
            if (form->Name == form_name)
                return name.isEmpty() ? form : form->FindComponent(name);
        }
        return nullptr;
    }

    std::vector<std::unique_ptr<TForm>> forms_;
    TFormList store_;
};

} // namespace

TEST_F(TranslationTest, CaptionsAndHintsGoBothWays) {
    TForm* form = NewForm("Main", "&Window");
    auto* label = new TLabel(form, form->Client(), "Label1");
    label->SetCaption("&File");
    auto* both = new TButton(form, form->Client(), "Both");
    both->SetHint("Short|Long");
    auto* plain = new TButton(form, form->Client(), "Plain");
    plain->SetHint("Only");
    auto* same = new TButton(form, form->Client(), "Same");
    same->SetHint("Twice|Twice");
    auto* edit = new TEdit(form, form->Client(), "Edit1");
    edit->SetText("typed");
    store_.RegisterForms();

    TCompInfo* record = Record("Main", "Label1");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->GetSlotString(SlotCaption)->Text, "File");
    EXPECT_EQ(record->GetAccel(SlotCaption), 1);
    EXPECT_EQ(Record("Main", "")->GetSlotText(SlotCaption), "&Window");
    EXPECT_EQ(Record("Main", "Both")->GetSlotText(SlotLongHint), "Long");
    EXPECT_EQ(Record("Main", "Plain")->GetSlotString(SlotLongHint), nullptr);
    EXPECT_EQ(Record("Main", "Same")->GetSlotText(SlotShortHint), "Twice");
    EXPECT_EQ(Record("Main", "Same")->GetSlotString(SlotLongHint), nullptr);
    EXPECT_EQ(Record("Main", "Edit1")->GetSlotText(SlotCaption), "typed");

    record->StoreSlotText(SlotCaption, "Fic&hier", true, true);
    EXPECT_EQ(label->Caption(), "Fic&hier");
    EXPECT_FALSE(record->IsNew(SlotCaption));
    Record("Main", "Both")->SetSlotText(SlotShortHint, "Kurz", false);
    Record("Main", "Both")->SetSlotText(SlotLongHint, "Lang", false);
    Record("Main", "Plain")->SetSlotText(SlotShortHint, "Nur", false);
    store_.ApplyAll();
    EXPECT_EQ(both->Hint(), "Kurz|Lang");
    EXPECT_EQ(plain->Hint(), "Nur");
    EXPECT_EQ(same->Hint(), "Twice");
}

TEST_F(TranslationTest, SkippedTextsAndTagMasks) {
    TForm* form = NewForm("Main", "Main");
    (new TMenuItem(form, "N1"))->SetCaption("-");
    (new TLabel(form, form->Client(), "Number"))->SetCaption(" 12.5");
    (new TLabel(form, form->Client(), "Colour"))->SetCaption("0,0,0");
    auto* no_hint = new TButton(form, form->Client(), "NoHint");
    no_hint->SetCaption("Go");
    no_hint->SetHint("Tip");
    no_hint->SetTag(-2);
    auto* no_list = new TComboBox(form, form->Client(), "NoList");
    no_list->Items()->Assign({"Page#1", "Page#2"});
    no_list->SetHint("Pages");
    no_list->SetTag(-4);
    auto* nothing = new TComboBox(form, form->Client(), "Nothing");
    nothing->Items()->Assign({"a"});
    nothing->SetItemIndex(0);
    nothing->SetTag(-7);
    (new TLabel(form, form->Client(), ""))->SetCaption("Nameless");
    NewForm("Empty", "");
    new TLabel(forms_.back().get(), forms_.back()->Client(), "Hidden");
    store_.RegisterForms();

    EXPECT_FALSE(Record("Main", "N1"));
    EXPECT_FALSE(Record("Main", "Number"));
    EXPECT_EQ(Record("Main", "Colour")->GetSlotText(SlotCaption), "0,0,0");
    EXPECT_EQ(Record("Main", "NoHint")->GetSlotText(SlotCaption), "Go");
    EXPECT_EQ(Record("Main", "NoHint")->GetSlotString(SlotShortHint), nullptr);
    EXPECT_EQ(Record("Main", "NoList")->ItemCount(), 0);
    EXPECT_EQ(Record("Main", "NoList")->GetSlotText(SlotShortHint), "Pages");
    EXPECT_FALSE(Record("Main", "Nothing"));
    EXPECT_EQ(store_.Forms.size(), 1);
    EXPECT_EQ(store_.Forms[0]->Components.size(), 3);
    EXPECT_FALSE(store_.FindString("Nameless"));

    // Applying respects the masks too.
    Record("Main", "NoHint")->SetSlotText(SlotShortHint, "Tipp", false);
    store_.ApplyAll();
    EXPECT_EQ(no_hint->Hint(), "Tip");
}

TEST_F(TranslationTest, ListsKeepTheirSelectionAndAreOnlyWrittenWhole) {
    TForm* form = NewForm("Main", "Main");
    auto* combo = new TComboBox(form, form->Client(), "Combo");
    combo->Items()->Assign({"Opaque", "Clear", "Half"});
    combo->SetItemIndex(1);
    int changes = 0;
    combo->OnChange = [&changes] { ++changes; };
    auto* list = new TListBox(form, form->Client(), "List");
    list->Items()->Assign({"1a", "2a", "3a", "4a", "5a"});
    list->SetItemIndex(3);
    store_.RegisterForms();

    TCompInfo* combo_record = Record("Main", "Combo");
    EXPECT_EQ(combo_record->GetSlotText(SlotCaption), "Clear");
    ASSERT_EQ(combo_record->ItemCount(), 3);
    // The translated caption names the first entry: the selection must still come back to the second.
    combo_record->SetSlotText(0, "Opak", true);
    combo_record->SetSlotText(1, "Klar", true);
    combo_record->SetSlotText(SlotCaption, "Opak", true);
    delete Record("Main", "List");
    TCompInfo* list_record = store_.Forms[0]->AddComponent(list);
    list_record->Name = "List";
    for (int i = 0; i < 4; ++i)
        list_record->SetSlotText(i, QString("x%1").arg(i), true);
    store_.ApplyAll();
    EXPECT_EQ(combo->Items()->ToStringList(), QStringList({"Opak", "Klar", "Half"}));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(list->Items()->ToStringList(), QStringList({"1a", "2a", "3a", "4a", "5a"}));
    list_record->SetSlotText(4, "x4", true);
    store_.ApplyAll();
    EXPECT_EQ(list->Items()->Strings(4), "x4");
    EXPECT_EQ(list->ItemIndex(), 3);
}

TEST_F(TranslationTest, TreeNodesCollectionsAndSubObjects) {
    TForm* form = NewForm("Main", "Main");
    auto* tree = new TTreeView(form, form->Client(), "Tree");
    QTreeWidgetItem* root = tree->Items()->AddChild(nullptr, "&Root");
    tree->Items()->AddChild(root, "Leaf");
    tree->Items()->AddChild(nullptr, "Second");
    auto* panel = new TColumnPanel(form, "Panel");
    store_.RegisterForms();

    TCompInfo* nodes = Record("Main", "Tree");
    ASSERT_EQ(nodes->ItemCount(), 3);
    EXPECT_EQ(nodes->GetSlotText(1), "Leaf");
    EXPECT_EQ(nodes->GetAccel(0), 1);
    TCompInfo* columns = Record("Main", "Panel");
    ASSERT_EQ(columns->ItemCount(), 2);
    EXPECT_EQ(columns->GetSlotText(1), "Size");
    EXPECT_EQ(columns->GetSlotText(SlotCaption), "Columns"); // from the Title sub-object

    nodes->SetSlotText(1, "Blatt", true);
    columns->SetSlotText(0, "Nom", true);
    columns->SetSlotText(SlotCaption, "Spalten", true);
    store_.ApplyAll();
    EXPECT_EQ(tree->Items()->Text(1), "Blatt");
    EXPECT_EQ(panel->columns_->columns[0]->Caption(), "Nom");
    EXPECT_EQ(panel->title_->Caption(), "Spalten");
}

TEST_F(TranslationTest, TwoWindowsOfOneClassAndLinkedComponents) {
    TForm* first = NewForm("First", "Same");
    TForm* second = NewForm("Second", "Same");
    auto* a = new TLabel(first, first->Client(), "Label1");
    a->SetCaption("One");
    auto* b = new TLabel(second, second->Client(), "Label1");
    b->SetCaption("Two");
    auto* source = new TButton(first, first->Client(), "Source");
    source->SetCaption("Linked");
    source->SetHint("Tip");
    source->SetTag(-2);
    auto* copy = new TButton(first, first->Client(), "Copy");
    copy->SetCaption("Linked copy");
    copy->SetHint("Copy tip");
    copy->SetTag(ComponentReference(source));
    store_.RegisterForms();

    EXPECT_EQ(Record("Second", "Label1")->GetSlotText(SlotCaption), "Two");
    EXPECT_EQ(Record("First", "Copy")->GetSlotString(SlotShortHint), nullptr); // Source's mask
    Record("First", "Label1")->SetSlotText(SlotCaption, "Eins", true);
    Record("Second", "Label1")->SetSlotText(SlotCaption, "Zwei", true);
    Record("First", "Source")->SetSlotText(SlotCaption, "Verbunden", true);
    Record("First", "Copy")->SetSlotText(SlotCaption, "Kopie", true);
    Record("First", "Copy")->Apply();
    EXPECT_EQ(source->Caption(), "Kopie"); // applying a record writes its linked component too
    EXPECT_EQ(copy->Caption(), "Kopie");
    Record("First", "Source")->Apply();
    EXPECT_EQ(copy->Caption(), "Kopie"); // the link goes one way
    store_.ApplyAll();
    EXPECT_EQ(a->Caption(), "Eins");
    EXPECT_EQ(b->Caption(), "Zwei");

    // A file's texts for the class go to the record registered first.
    TFormList file;
    TFormInfo* form = file.AddForm(nullptr);
    form->Name = "Other";
    form->ClassName = "TForm";
    TCompInfo* label = form->AddComponent(nullptr);
    label->Name = "Label1";
    label->SetSlotText(SlotCaption, "Un", true);
    ASSERT_TRUE(store_.LoadFromBytes(file.SaveToBytes("x.lng")));
    store_.ApplyAll();
    EXPECT_EQ(a->Caption(), "Un");
    EXPECT_EQ(b->Caption(), "Zwei");
}

TEST_F(TranslationTest, DataCaptionsStayDataThroughCollectAndApply) {
    TForm* form = NewForm("Main", "Program");
    auto* label = new TLabel(form, form->Client(), "FileName");
    label->SetCaption("None");
    DeclareDataCaptions(form, {form, label});
    form->SetCaption("/levels/a.tr2");
    label->SetCaption("a.tr2");
    store_.RegisterForms();
    EXPECT_EQ(Record("Main", "")->GetSlotText(SlotCaption), "Program");
    EXPECT_EQ(Record("Main", "FileName")->GetSlotText(SlotCaption), "None");
    EXPECT_EQ(form->Caption(), "/levels/a.tr2");

    Record("Main", "FileName")->SetSlotText(SlotCaption, "Aucun", true);
    Record("Main", "")->SetSlotText(SlotCaption, "Programme", true);
    store_.ApplyAll();
    EXPECT_EQ(label->Caption(), "a.tr2");
    EXPECT_EQ(form->Caption(), "/levels/a.tr2");
    EXPECT_EQ(DataCaptionText(label), "Aucun");
    // The window shows its own untranslated text again: the next apply translates it.
    label->SetCaption("None");
    store_.ApplyAll();
    EXPECT_EQ(label->Caption(), "Aucun");
}

#include "form_translation_test.moc"
