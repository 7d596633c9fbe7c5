// The program's own windows: what the language window registers at start-up, and a language file
// written from them, edited and read back, showing its texts in the live windows.
#include "tests/gui/app_fixture.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "app/about_window.h"
#include "app/readme_window.h"
#include "localisation/data_captions.h"
#include "localisation/language_window.h"
#include "localisation/languages.h"
#include "texture_windows/animated_window.h"

namespace {

class ProgramTranslationTest : public AppTest {
protected:
    TFormList& Store() { return Localisation->PrimaryStore; }
    TFormInfo* FormRecord(const QString& name) {
        for (TFormInfo* form : Store().Forms) {
            if (form->Name == name)
                return form;
        }
        return nullptr;
    }
    QString Text(const QString& form, const QString& component, int slot = SlotCaption) {
        TFormInfo* record = FormRecord(form);
        TCompInfo* found = !record               ? nullptr
                           : component.isEmpty() ? record
                                                 : record->FindComponent(component);
        return found ? found->GetSlotText(slot) : QStringLiteral("<none>");
    }
    bool StoreHolds(const QString& text) { return Store().FindString(text) != nullptr; }
};

} // namespace

TEST_F(ProgramTranslationTest, StartUpRegistersEveryWindowButTheProgressWindow) {
    QStringList names;
    for (TFormInfo* form : Store().Forms)
        names.append(form->Name);
    EXPECT_EQ(names, QStringList({"Form1", "Form2", "fanimated", "PageMap", "Form3", "Localisation"}));
    EXPECT_EQ(Text("Form1", ""), "Kestrel's Pagewright");
    EXPECT_EQ(Text("Form1", "File1"), "&File");
    EXPECT_EQ(Text("Form1", "Label3"), "None");
    EXPECT_EQ(Text("Form1", "Label6"), "0,0,0");
    EXPECT_EQ(Text("Form1", "Button1", SlotShortHint), "Copy the entire page");
    EXPECT_EQ(Text("Form1", "ComboBox3", 2), "Semi-Transparent");
    EXPECT_EQ(Text("Form2", "Button1"), "OK");
    EXPECT_EQ(Text("fanimated", ""), "Animated texture Managger");
    EXPECT_EQ(Text("Form3", ""), "Readme.txt");
    EXPECT_EQ(FormRecord("Form3")->Components.size(), 0); // the readme lines are not texts
    EXPECT_EQ(Text("Localisation", "Constants", 1), "Voulez-vous sauvegarder les changements ?");
    EXPECT_EQ(Text("Localisation", "ButtonCaptions", 10), "Aide");
}

TEST_F(ProgramTranslationTest, RescanWithALevelOpenTakesNoLevelData) {
    auto level = Level(3, 2);
    level.object_textures.assign(8, {});
    level.anim_words = {1, 1, 3, 4}; // one set of frames 3 and 4
    const QString path = WriteLevel(level);
    OpenThroughMenu(path);
    ASSERT_TRUE(Form1->Document().HasLevel());
    Store().RegisterForms();
    EXPECT_FALSE(StoreHolds("Animated Texture #1"));
    EXPECT_FALSE(StoreHolds("Texture ID:3"));
    EXPECT_FALSE(FormRecord("Form5")); // the progress window's caption is its caller's
    // Frames edited after the rescan stay what the document holds when texts are applied.
    fanimated->ListBox2->SetItemIndex(0);
    fanimated->SpinEdit1->SetValue(5);
    fanimated->Button5Click();
    Store().ApplyAll();
    EXPECT_EQ(fanimated->ListBox2->Items()->ToStringList(), QStringList({"Texture ID:5", "Texture ID:4"}));
    EXPECT_EQ(Text("Form1", ""), "Kestrel's Pagewright");
    EXPECT_EQ(Text("Form1", "Label3"), "None");
    EXPECT_EQ(Text("Form1", "GroupBox1"), "Page:");
    EXPECT_FALSE(StoreHolds("Page#1"));
    EXPECT_FALSE(StoreHolds("Texture#0"));
    EXPECT_FALSE(StoreHolds(path));
    EXPECT_EQ(Form1->Caption(), path + "[*]");
}

TEST_F(ProgramTranslationTest, AnEditedLanguageFileShowsInTheLiveWindows) {
    const QString original = Folder() + "/pagewright_def.lng";
    ASSERT_TRUE(Store().SaveToFile(original)) << Store().ErrorString().toStdString();

    // A translator's copy: read the file into a store of its own, change texts, write it again.
    TFormList copy;
    ASSERT_TRUE(copy.LoadFromFile(original));
    copy.LangId = 0x0407;
    copy.FindString("LEVEL FILE")->ReplaceEverywhere("LEVELDATEI");
    copy.FindString("File")->ReplaceEverywhere("Da&tei");
    copy.FindString("None")->ReplaceEverywhere("Keine");
    copy.FindString("OK")->ReplaceEverywhere("Gut");
    copy.FindString("Kestrel's Pagewright")->ReplaceEverywhere("Kestrels Seitenwerk");
    copy.FindString("Copy the entire page")->ReplaceEverywhere("Ganze Seite kopieren");
    copy.FindString("Opaque")->ReplaceEverywhere("Deckend");
    const QString edited = Folder() + "/pagewright_de.lng";
    ASSERT_TRUE(copy.SaveToFile(edited));

    const QString level = WriteLevel(Level(3, 2));
    OpenThroughMenu(level);
    Form1->Control<TComboBox>("ComboBox3")->SetItemIndex(1);
    ASSERT_TRUE(Store().LoadFromFile(edited));
    Store().ApplyAll();
    EXPECT_EQ(Store().LangId, 0x0407);
    EXPECT_EQ(Form1->Control<TLabel>("Label1")->Caption(), "LEVELDATEI");
    EXPECT_EQ(Form1->Control<TMenuItem>("File1")->Caption(), "Da&tei");
    EXPECT_EQ(Form1->Control<TLabel>("Label4")->Caption(), "Keine");
    EXPECT_EQ(Form1->Control<TButton>("Button1")->Hint(), "Ganze Seite kopieren");
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox3")->Items()->Strings(0), "Deckend");
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox3")->ItemIndex(), 1);
    EXPECT_EQ(Form2->Button1->Caption(), "Gut");
    // The open level's data stays on show.
    EXPECT_EQ(Form1->Caption(), level + "[*]");
    EXPECT_EQ(Form1->Control<TLabel>("Label3")->Caption(), QFileInfo(level).fileName());
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Strings(0), "Page#1");
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->Strings(0), "Texture#0");
    EXPECT_EQ(DataCaptionText(Form1), "Kestrels Seitenwerk");
}

TEST_F(ProgramTranslationTest, DefaultLanguageFileIsAppliedAtStartUp) {
    TFormList edited;
    edited.RegisterForms();
    edited.FindString("LEVEL FILE")->ReplaceEverywhere("FICHIER NIVEAU");
    edited.LangId = 0x040C;
    DestroyApplicationForms();
    ASSERT_TRUE(edited.SaveToFile(Folder() + "/pagewright_def.lng"));
    edited.Clear();
    CreateApplicationForms();
    EXPECT_EQ(Localisation->CurrentLangId, 0x040C);
    EXPECT_EQ(Localisation->CurrentIndex, 0);
    EXPECT_EQ(Form1->Control<TLabel>("Label1")->Caption(), "FICHIER NIVEAU");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Oui"); // Qt's own texts too
}

TEST_F(ProgramTranslationTest, LanguageFilesKeepABackupAndOlderNamesMigrate) {
    const QString french = Folder() + "/pagewright_fr.lng";
    EXPECT_EQ(LanguageFileName("fr"), french);
    EXPECT_EQ(BackupFileName(french), Folder() + "/pagewright_fr.~ln");
    EXPECT_EQ(HelpFileName("kr"), Folder() + "/pagewright_kr.hlp");

    Store().LangId = 0x040C;
    ASSERT_TRUE(SaveLanguageFile(Store(), 0, true));
    Store().FindString("OK")->ReplaceEverywhere("Bien");
    ASSERT_TRUE(SaveLanguageFile(Store(), 0, false));
    TFormList backup;
    ASSERT_TRUE(backup.LoadFromFile(Folder() + "/pagewright_fr.~ln"));
    EXPECT_TRUE(backup.FindString("OK"));
    TFormList current;
    ASSERT_TRUE(current.LoadFromFile(french));
    EXPECT_TRUE(current.FindString("Bien"));
    EXPECT_TRUE(QFile::exists(DefaultLanguageFileName()));

    // An older name is renamed, or dropped when the current name exists.
    for (const QString& code : {QString("fr"), QString("de")})
        WriteBytes("pagewright." + code.toStdString(), pw::fixtures::Bytes(4, 1));
    const auto available = MigrateLanguageFiles();
    EXPECT_FALSE(QFile::exists(OlderLayoutFileName("fr")));
    EXPECT_FALSE(QFile::exists(OlderLayoutFileName("de")));
    EXPECT_TRUE(current.LoadFromFile(french));
    EXPECT_TRUE(available[0]);
    EXPECT_FALSE(available[1]);
    EXPECT_TRUE(available[3]);
}
