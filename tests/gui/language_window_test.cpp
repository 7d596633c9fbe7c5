// The language window: choosing, applying and saving a language, start-up and closing, and the
// translation editor (tree, bullets, in-place editing, search, clipboard table).
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QSettings>
#include <QTest>
#include <QTreeWidgetItemIterator>

#include "app/about_window.h"
#include "app_fixture.h"
#include "localisation/language_window.h"
#include "localisation/languages.h"
#include "localisation/tree_node_data.h"
#include "widgets/t_button.h"
#include "widgets/t_combo_box.h"
#include "widgets/t_edit.h"
#include "widgets/t_label.h"
#include "widgets/t_list_box.h"
#include "widgets/t_tree_view.h"

namespace {

class LanguageWindowTest : public AppTest {
protected:
    TLocalisation& W() { return *Localisation; }

    void Choose(int index) {
        W().ComboBoxLanguage->SetItemIndex(index);
        W().cbLanguageChange();
    }

    // A language file of the program's windows with `changes` (old text -> new text) made.
    void WriteLanguage(int index, const std::map<QString, QString>& changes = {}) {
        TFormList store;
        store.RegisterForms();
        // Unbound, so that the changes stay in the file instead of showing in the windows.
        for (TFormInfo* form : store.Forms)
            form->Bind(nullptr);
        for (const auto& [from, to] : changes)
            store.FindString(from)->ReplaceEverywhere(to);
        store.LangId = Languages()[static_cast<std::size_t>(index)].LangId;
        ASSERT_TRUE(store.SaveToFile(LanguageFileName(Languages()[static_cast<std::size_t>(index)].Code)));
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        W().OnKeyDownHandler(key, modifiers);
    }

    QList<QTreeWidgetItem*> Nodes() {
        QList<QTreeWidgetItem*> nodes;
        for (QTreeWidgetItemIterator it(W().TreeView); *it; ++it)
            nodes.append(*it);
        return nodes;
    }

    QTreeWidgetItem* NodeOf(const QObject* component, int slot = SlotCaption) {
        for (QTreeWidgetItem* node : Nodes()) {
            if (NodeRecord(node)->Control == component && NodeSlot(node) == slot)
                return node;
        }
        return nullptr;
    }

    QString Selected() {
        return W().TreeView->currentItem() ? W().TreeView->currentItem()->text(0) : "<none>";
    }

    // Item `index` of the language box as the window draws it, on white.
    QImage Drawn(int index) {
        QImage image(120, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        W().ComboBoxLanguageDrawItem(W().ComboBoxLanguage, painter, image.rect(), index, false);
        return image;
    }
    QImage Expected(int index, const QColor& colour, bool italic) {
        QImage image(120, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QFont font = W().ComboBoxLanguage->font();
        font.setItalic(italic);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(image.rect().adjusted(1, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         W().ComboBoxLanguage->Items()->Strings(index));
        return image;
    }
};

} // namespace

TEST_F(LanguageWindowTest, FirstRunWithoutLanguageFilesIsCompactWithNothingChosen) {
    EXPECT_EQ(W().ComboBoxLanguage->ItemIndex(), -1);
    EXPECT_EQ(W().CurrentIndex, -1);
    EXPECT_EQ(W().CurrentLangId, 0u);
    EXPECT_FALSE(W().TreeView->isEnabled());
    EXPECT_FALSE(W().ButtonSave->isEnabled());
    EXPECT_EQ(W().Width(), W().ButtonExit->x() + W().ButtonExit->width() + 20);
    EXPECT_EQ(W().Height(), 80);
    EXPECT_EQ(W().minimumSize(), W().maximumSize());
    const QColor grey = W().ComboBoxLanguage->palette().color(QPalette::Disabled, QPalette::Text);
    const QColor black = W().ComboBoxLanguage->palette().color(QPalette::Active, QPalette::Text);
    ASSERT_NE(grey, black);
    for (int i = 0; i < LanguageCount; ++i) {
        EXPECT_FALSE(W().Available[static_cast<std::size_t>(i)]);
        EXPECT_EQ(Drawn(i), Expected(i, grey, true)) << i;
    }
    W().Available[3] = true;
    EXPECT_EQ(Drawn(3), Expected(3, black, false));
}

TEST_F(LanguageWindowTest, ChoosingALanguageWithoutAFileThenSavingCreatesIt) {
    WriteLanguage(0, {{"LEVEL FILE", "FICHIER NIVEAU"}});
    W().Available = MigrateLanguageFiles();
    Choose(0);
    ASSERT_EQ(W().CurrentLangId, 0x040C);
    EXPECT_TRUE(W().TreeView->isEnabled());
    EXPECT_TRUE(W().ButtonSave->isEnabled());

    // German has no file: the French texts stay as the start of the German translation.
    Choose(3);
    EXPECT_EQ(W().CurrentIndex, 3);
    EXPECT_EQ(W().CurrentLangId, 0x040C);
    EXPECT_EQ(W().PrimaryStore.LangId, 0x0407);
    EXPECT_EQ(Form1->Control<TLabel>("Label1")->Caption(), "FICHIER NIVEAU");
    EXPECT_FALSE(W().Available[3]);

    W().OnClickSave();
    EXPECT_TRUE(W().Available[3]);
    TFormList german;
    ASSERT_TRUE(german.LoadFromFile(LanguageFileName("de")));
    EXPECT_EQ(german.LangId, 0x0407);
    EXPECT_TRUE(german.FindString("FICHIER NIVEAU"));
    // A store the file format can't hold is reported and leaves the file as it was.
    TFormInfo* big = W().PrimaryStore.AddForm(nullptr);
    big->Name = "Big";
    big->ClassName = "TBig";
    for (int c = 0; c < 5; ++c) {
        TCompInfo* list = big->AddComponent(nullptr);
        list->Name = QString("List%1").arg(c);
        for (int i = 0; i < 1000; ++i)
            list->StoreSlotText(i, QString("Text %1.%2").arg(c).arg(i), false, false);
    }
    W().Modified = true;
    W().OnClickSave();
    EXPECT_EQ(platform_.messages.size(), 1u);
    EXPECT_TRUE(W().Modified);
    // Saving first when switching: the switch stops rather than lose the changes.
    platform_.answers = {QMessageBox::Yes};
    Choose(0);
    EXPECT_EQ(platform_.messages.size(), 3u);
    EXPECT_EQ(W().CurrentIndex, 3);
    EXPECT_EQ(W().ComboBoxLanguage->ItemIndex(), 3);
    ASSERT_TRUE(german.LoadFromFile(LanguageFileName("de")));
    EXPECT_FALSE(german.FindString("Text 0.0"));
    // Saving without a chosen language does nothing.
    W().CurrentIndex = -1;
    EXPECT_FALSE(W().SaveLanguage());
}

TEST_F(LanguageWindowTest, AppliedLanguageKeepsTheRecentFilesOnShowAndTheDefaultFileFollows) {
    const QString level = WriteLevel(Level(1, 1), "a&b.phd");
    OpenThroughMenu(level);
    WriteLanguage(0, {{"None", "Aucun"}});
    WriteLanguage(2);
    // With a default-language file, switching copies the chosen language over it.
    ASSERT_TRUE(QFile::copy(LanguageFileName("us"), DefaultLanguageFileName()));
    Restart();
    ASSERT_TRUE(W().UseDefaultFile);
    EXPECT_EQ(W().CurrentIndex, 2);
    Choose(0);
    EXPECT_EQ(Form1->Control<TMenuItem>("None1")->Caption(), level);
    EXPECT_EQ(Form1->Control<TMenuItem>("None1")->Action()->text(), QString(level).replace("&", "&&"));
    EXPECT_EQ(Form1->Control<TMenuItem>("None2")->Caption(), "Aucun");
    TFormList def;
    ASSERT_TRUE(def.LoadFromFile(DefaultLanguageFileName()));
    EXPECT_EQ(def.LangId, 0x040C);
}

TEST_F(LanguageWindowTest, StoredKoreanIdentifierSelectsKoreanAtStartUp) {
    WriteLanguage(8, {{"LEVEL FILE", QString::fromUtf8("레벨 파일")}});
    Form1->Close(); // writes the settings
    QSettings settings(ConfigFolder() + "/Pagewright.ini", QSettings::IniFormat);
    settings.setValue("form1/languaje", 0x0412);
    settings.sync();
    DestroyApplicationForms();
    CreateApplicationForms();
    EXPECT_EQ(W().ComboBoxLanguage->ItemIndex(), 8);
    EXPECT_EQ(W().CurrentLangId, 0x0412);
    EXPECT_EQ(Form1->Control<TLabel>("Label1")->Caption(), QString::fromUtf8("레벨 파일"));
    // An identifier the window doesn't list, or one without a file, selects nothing.
    W().SelectLanguageById(0x0413);
    W().SelectLanguageById(0x0407);
    EXPECT_EQ(W().ComboBoxLanguage->ItemIndex(), 8);
}

TEST_F(LanguageWindowTest, DefaultFileOfAnUnlistedLanguageSelectsNothing) {
    TFormList dutch;
    dutch.RegisterForms();
    dutch.LangId = 0x0413;
    ASSERT_TRUE(dutch.SaveToFile(DefaultLanguageFileName()));
    Restart();
    EXPECT_EQ(W().CurrentIndex, -1);
    EXPECT_EQ(W().ComboBoxLanguage->ItemIndex(), -1);
    EXPECT_EQ(W().CurrentLangId, 0x0413);
}

TEST_F(LanguageWindowTest, EditorModeSizesAndClosingWithUnsavedChanges) {
    W().Show();
    Key(Qt::Key_F2, Qt::ShiftModifier);
    ASSERT_TRUE(W().EditorOpen());
    EXPECT_EQ(W().Width(), 2 * W().TreeView->x() + W().TreeView->width());
    EXPECT_EQ(W().Height(), W().TreeView->y() + W().TreeView->height() + 40);
    EXPECT_EQ(W().Width(), 416);
    W().resize(W().width() + 100, W().height() + 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(W().TreeView->width(), 500);
    EXPECT_EQ(W().EditText->x() + W().EditText->width(), W().TreeView->x() + W().TreeView->width());
    EXPECT_GT(W().maximumWidth(), W().minimumWidth());

    W().TreeView->setCurrentItem(Nodes().value(1));
    Key(Qt::Key_F9);
    ASSERT_TRUE(W().Modified);
    platform_.answers = {QMessageBox::Cancel};
    Key(Qt::Key_Escape);
    EXPECT_TRUE(W().isVisible());
    EXPECT_TRUE(W().EditorOpen());
    EXPECT_EQ(platform_.MessageTexts(), QStringList({"Voulez-vous sauvegarder les changements ?"}));

    platform_.answers = {QMessageBox::No};
    W().ButtonExit->click();
    EXPECT_FALSE(W().isVisible());
    EXPECT_FALSE(W().EditorOpen());
    EXPECT_TRUE(W().Modified);
    EXPECT_EQ(W().Height(), 80);
}

TEST_F(LanguageWindowTest, TreeShowsEveryTextWithItsBulletAndNamesTheSelectedOne) {
    WriteLanguage(2, {{"Enregistrer", "&Save"}});
    Choose(2);
    W().Show();
    W().OpenEditor();
    QStringList roots;
    for (int i = 0; i < W().TreeView->topLevelItemCount(); ++i)
        roots.append(W().TreeView->topLevelItem(i)->text(0));
    EXPECT_EQ(roots, QStringList({"Kestrel's Pagewright", "About Pagewright", "Animated texture Managger",
                                  "Page Map", "Readme.txt", "Select a language or Press Shift+F2"}));
    QTreeWidgetItem* save = NodeOf(W().ButtonSave);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(0), "&Save");
    EXPECT_EQ(NodeBullet(save), BulletNew); // what the file says: collected, never confirmed

    // The reference language gives its text of the same slot, without the ampersand.
    WriteLanguage(0, {{"Save", "&Enregistrer"}});
    W().cbSecondaryLanguage->SetItemIndex(0);
    W().cbSecondaryLanguageChange();
    W().TreeView->setCurrentItem(save);
    EXPECT_EQ(W().TreeView->Hint(), "TButton : ButtonSave.Caption");
    EXPECT_EQ(W().EditText->Text(), "Enregistrer");

    Key(Qt::Key_F9);
    EXPECT_EQ(NodeBullet(save), BulletTranslated);
    EXPECT_FALSE(NodeRecord(save)->IsNew(SlotCaption));
    Key(Qt::Key_F9, Qt::ShiftModifier | Qt::ControlModifier);
    for (QTreeWidgetItem* node : Nodes())
        EXPECT_EQ(NodeBullet(node) & BulletNew, 0);
}

TEST_F(LanguageWindowTest, EditingATextSharedByThreeComponentsAsksWhetherToChangeAll) {
    TFormList& store = W().PrimaryStore;
    TFormInfo* main = store.FindForm(Form1);
    TFormInfo* about = store.FindForm(Form2);
    for (TCompInfo* record :
         {main->FindComponent("Label1"), main->FindComponent("Label2"), about->FindComponent("Label3")})
        record->StoreSlotText(SlotCaption, "Shared", true, true);
    W().Show();
    W().OpenEditor();

    // Cancel: nothing changes.
    platform_.answers = {QMessageBox::Cancel};
    W().OnElementEdited(NodeOf(Form1->Control<TLabel>("Label1")), "Common");
    EXPECT_EQ(platform_.MessageTexts(), QStringList({"Changer toutes les occurrences ?\n(3)"}));
    EXPECT_EQ(NodeOf(Form1->Control<TLabel>("Label1"))->text(0), "Shared");
    EXPECT_EQ(Form1->Control<TLabel>("Label1")->Caption(), "Shared");
    EXPECT_FALSE(W().Modified);

    // Yes, typed into the node's editor: every user of the text changes.
    QTreeWidgetItem* node = NodeOf(Form1->Control<TLabel>("Label2"));
    W().TreeView->setCurrentItem(node);
    int f2 = Qt::Key_F2;
    W().TreeViewKeyDown(f2, Qt::NoModifier);
    ASSERT_TRUE(W().IsEditingNode());
    auto* editor = W().TreeView->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("Co&mmon");
    platform_.answers = {QMessageBox::Yes};
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits on the next turn of the event loop
    EXPECT_FALSE(W().IsEditingNode());
    EXPECT_EQ(platform_.MessageTexts().size(), 2);
    for (const TLabel* label :
         {Form1->Control<TLabel>("Label1"), Form1->Control<TLabel>("Label2"), Form2->Label3})
        EXPECT_EQ(label->Caption(), "Co&mmon");
    EXPECT_EQ(NodeOf(Form2->Label3)->text(0), "Co&mmon");
    EXPECT_TRUE(W().Modified);

    // No: only the edited component gets a text of its own, marked translated.
    platform_.answers = {QMessageBox::No};
    W().OnElementEdited(NodeOf(Form1->Control<TLabel>("Label1")), "Own");
    EXPECT_EQ(platform_.MessageTexts().value(2), "Changer toutes les occurrences ?\n(3)");
    EXPECT_EQ(Form1->Control<TLabel>("Label1")->Caption(), "Own");
    EXPECT_EQ(Form1->Control<TLabel>("Label2")->Caption(), "Co&mmon");
    EXPECT_FALSE(main->FindComponent("Label1")->IsNew(SlotCaption));
}

TEST_F(LanguageWindowTest, SearchFindsTextsRedBulletsAndTextsOfComponentsGone) {
    // A file that knows a component the About window no longer has.
    TFormList older;
    older.RegisterForms();
    TCompInfo* gone = older.FindFormClass("TForm2")->AddComponent(nullptr);
    gone->Name = "Button9";
    gone->ClassName = "TButton";
    gone->StoreSlotText(SlotCaption, "Vanished", true, false);
    older.LangId = 0x0409;
    ASSERT_TRUE(older.SaveToFile(LanguageFileName("us")));
    Choose(2);
    W().Show();
    W().OpenEditor();

    W().EditText->SetText("^X");
    W().EditTextKeyPress();
    EXPECT_EQ(Selected(), "Vanished");
    EXPECT_EQ(NodeBullet(W().TreeView->currentItem()), BulletAbsent);
    // Shift+Del drops the texts of components gone; the tree follows.
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_TRUE(W().Modified);
    W().EditTextKeyPress();
    EXPECT_EQ(Selected(), "<none>");
    EXPECT_EQ(W().PrimaryStore.FindFormClass("TForm2")->FindComponent("Button9"), nullptr);

    // Small letters search without regard to case, a capital makes it exact.
    W().TreeView->setCurrentItem(nullptr);
    W().EditText->SetText("file");
    Key(Qt::Key_F3);
    EXPECT_EQ(Selected(), "LEVEL FILE");
    Key(Qt::Key_F3);
    EXPECT_EQ(Selected(), "IMAGE FILE");
    W().EditText->SetText("File");
    Key(Qt::Key_F3);
    EXPECT_EQ(Selected(), "File not found!!!"); // the main window's first text with a capital F
    // Nothing found: the selection stays.
    W().EditText->SetText("no such text");
    Key(Qt::Key_F3);
    EXPECT_EQ(Selected(), "File not found!!!");
}

TEST_F(LanguageWindowTest, F3WalksThroughTheRedBulletsAndWrapsAround) {
    W().Show();
    W().OpenEditor();
    Key(Qt::Key_F9, Qt::ShiftModifier | Qt::AltModifier);
    for (QTreeWidgetItem* node : {NodeOf(Form1->Control<TLabel>("Label2")), NodeOf(Form2->Button1)}) {
        W().TreeView->setCurrentItem(node);
        Key(Qt::Key_F9);
    }
    W().TreeView->setCurrentItem(NodeOf(Form1->Control<TLabel>("Label1")));
    W().EditText->clear();
    QStringList found;
    for (int i = 0; i < 3; ++i) {
        Key(Qt::Key_F3);
        found.append(Selected());
    }
    EXPECT_EQ(found, QStringList({"IMAGE FILE", "OK", "IMAGE FILE"}));
}

TEST_F(LanguageWindowTest, CtrlCCopiesEveryTextBesideTheReferenceLanguage) {
    WriteLanguage(0, {{"LEVEL FILE", "FICHIER NIVEAU"}});
    WriteLanguage(2);
    Choose(0);
    W().cbSecondaryLanguage->SetItemIndex(2);
    W().cbSecondaryLanguageChange();
    TFormInfo* main = W().PrimaryStore.FindForm(Form1);
    main->FindComponent("Label1")->SetNew(SlotCaption, false);
    Key(Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = platform_.clipboard.split("\r\n");
    ASSERT_GT(lines.size(), 4);
    EXPECT_EQ(lines[0], " \tFrançais\t \tEnglish (US)");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], ">\tKestrel's Pagewright\t>\tKestrel's Pagewright");
    EXPECT_EQ(lines[3], " \tFICHIER NIVEAU\t>\tLEVEL FILE");
    EXPECT_TRUE(lines.contains(">\tFile\t>\tFile"));
    EXPECT_TRUE(lines.contains(">\tCopy the entire page\t>\tCopy the entire page"));

    // Not while the search box has the focus: there Ctrl+C copies its text.
    platform_.clipboard.clear();
    W().Show();
    W().OpenEditor();
    W().EditText->setFocus();
    QApplication::setActiveWindow(&W());
    if (W().EditText->hasFocus()) {
        Key(Qt::Key_C, Qt::ControlModifier);
        EXPECT_TRUE(platform_.clipboard.isEmpty());
    }
}

TEST_F(LanguageWindowTest, KeysReachTheWindowBeforeItsControls) {
    W().Show();
    W().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&W()));
    W().ComboBoxLanguage->setFocus();
    QTest::keyClick(W().ComboBoxLanguage, Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_TRUE(W().EditorOpen());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(W().isVisible());
    EXPECT_FALSE(W().EditorOpen());
}

TEST_F(LanguageWindowTest, ADamagedFileIsNamedAndTheLanguageOnShowIsKeptAndStored) {
    WriteLanguage(0, {{"None", "Aucun"}});
    WriteLanguage(2, {{"None", "Nothing"}});
    Choose(0);
    ASSERT_EQ(Form1->Control<TMenuItem>("None2")->Caption(), "Aucun");
    const QString us = LanguageFileName("us");
    QFile file(us);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.resize(file.size() / 2));
    file.close();
    Choose(2);
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_TRUE(platform_.MessageTexts().join("").contains(us));
    EXPECT_EQ(W().ComboBoxLanguage->ItemIndex(), 0);
    EXPECT_EQ(W().CurrentLangId, 0x040C);
    EXPECT_EQ(Form1->Control<TMenuItem>("None2")->Caption(), "Aucun");
    Form1->Close(); // writes the settings
    QSettings settings(ConfigFolder() + "/Pagewright.ini", QSettings::IniFormat);
    EXPECT_EQ(settings.value("form1/languaje").toInt(), 0x040C);
}
