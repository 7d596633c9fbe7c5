// The language files that ship beside the executable, made by the build from the translation source:
// each one loads, holds every text of the source in its language, and French shows in the live windows.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGlyphRun>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTextStream>

#include "app/about_window.h"
#include "app_fixture.h"
#include "level/object_textures.h"
#include "localisation/language_window.h"
#include "localisation/languages.h"
#include "texture_windows/animated_window.h"
#include "texture_windows/page_map_window.h"
#include "widgets/t_button.h"
#include "widgets/t_combo_box.h"
#include "widgets/t_label.h"
#include "widgets/t_list_box.h"
#include "widgets/text_table.h"

namespace {

constexpr int kEnglish = 3;
// English (US), English (UK), French, German and Spanish translate every text.
const QStringList kComplete{"us", "uk", "fr", "de", "es"};

QString Shipped(const QString& code) {
    return QStringLiteral(PW_LANGUAGE_FILES_DIR "/pagewright_%1.lng").arg(code);
}

std::vector<QStringList> SourceRows() {
    QFile file(PW_TRANSLATIONS_SOURCE);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    std::vector<QStringList> rows;
    while (!in.atEnd())
        rows.push_back(in.readLine().split('\t'));
    return rows;
}

const TCompInfo* Record(const TFormList& store, const QStringList& row) {
    const TFormInfo* form = store.FindFormClass(row[0]);
    if (!form)
        return nullptr;
    return form->Name == row[1] ? form : form->FindComponent(row[1]);
}

int Slot(const QString& property) {
    if (property == "Caption")
        return SlotCaption;
    if (property == "Hint")
        return SlotShortHint;
    return property.mid(6).chopped(1).toInt();
}

class ShippedLanguagesTest : public AppTest {};

// Every text of `table` in the language applied: the language file's text where it keeps the English
// pattern's placeholders, and in any case every %n of the English.
template <typename Key> void ExpectTableShown(const TextTable<Key>& table) {
    static const QRegularExpression mark("%[1-9]");
    for (int i = 0; i < table.English().size(); ++i) {
        const QString english = table.English()[i];
        const QString file = table.List()->Items()->Strings(i);
        const QString shown = table.Text(static_cast<Key>(i));
        SCOPED_TRACE(english.toStdString());
        bool keeps = !file.isEmpty();
        for (auto it = mark.globalMatch(english); it.hasNext();) {
            const QString n = it.next().captured();
            EXPECT_TRUE(shown.contains(n)) << shown.toStdString();
            keeps = keeps && file.contains(n);
        }
        if (keeps) {
            EXPECT_EQ(shown, file);
        }
    }
}

} // namespace

TEST_F(ShippedLanguagesTest, EveryFileLoadsAndHoldsEveryTextOfTheSource) {
    std::vector<QStringList> rows = SourceRows();
    ASSERT_GT(rows.size(), 1u);
    const QStringList header = rows.front();
    rows.erase(rows.begin());
    for (const TLanguage& language : Languages()) {
        SCOPED_TRACE(language.Code.toStdString());
        const int column = static_cast<int>(header.indexOf(language.Code));
        ASSERT_GE(column, kEnglish);
        TFormList store;
        ASSERT_TRUE(store.LoadFromFile(Shipped(language.Code))) << store.ErrorString().toStdString();
        EXPECT_EQ(store.LangId, language.LangId);
        for (const QStringList& row : rows) {
            const TCompInfo* record = Record(store, row);
            ASSERT_NE(record, nullptr) << row.mid(0, 3).join('.').toStdString();
            const int slot = Slot(row[2]);
            const bool translated = !row[column].isEmpty();
            EXPECT_EQ(record->GetSlotText(slot), translated ? row[column] : row[kEnglish])
                << row.mid(0, 3).join('.').toStdString();
            // Untranslated texts are the editor's red bullets.
            EXPECT_EQ(record->IsNew(slot), !translated) << row.mid(0, 3).join('.').toStdString();
            if (kComplete.contains(language.Code)) {
                EXPECT_TRUE(translated) << row.mid(0, 3).join('.').toStdString();
            }
        }
    }
    // The default-language file (English (US) on a fresh install, then what the program switched to).
    TFormList def;
    EXPECT_TRUE(def.LoadFromFile(Shipped("def")));
    EXPECT_GE(LanguageIndexOf(def.LangId), 0);
}

TEST_F(ShippedLanguagesTest, FrenchAndKoreanShowInTheLiveWindows) {
    for (const QString& code : {QString("fr"), QString("kr")})
        ASSERT_TRUE(QFile::copy(Shipped(code), LanguageFileName(code)));
    Localisation->ComboBoxLanguage->SetItemIndex(0);
    Localisation->cbLanguageChange();
    EXPECT_EQ(Localisation->CurrentLangId, 0x040C);
    EXPECT_EQ(Form1->Control<TLabel>("Label1")->Caption(), "FICHIER NIVEAU");
    EXPECT_EQ(Form1->Control<TMenuItem>("File1")->Caption(), "&Fichier");
    EXPECT_EQ(Form1->Control<TButton>("Button1")->Hint(), "Copier la page entière");
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox3")->Items()->Strings(2), "Semi-transparente");
    EXPECT_EQ(Form2->Caption(), "À propos de Pagewright");
    EXPECT_EQ(fanimated->Caption(), "Gestionnaire de textures animées");
    EXPECT_EQ(Localisation->Constants->Items()->Strings(1), "Voulez-vous sauvegarder les changements ?");

    // Korean texts come through code page 949.
    Localisation->ComboBoxLanguage->SetItemIndex(8);
    Localisation->cbLanguageChange();
    EXPECT_EQ(Localisation->CurrentLangId, 0x0412);
    EXPECT_EQ(Form1->Control<TMenuItem>("File1")->Caption(), QString::fromUtf8("파일(&F)"));
    EXPECT_EQ(Form1->Control<TLabel>("Label1")->Caption(), QString::fromUtf8("레벨 파일"));
}

TEST_F(ShippedLanguagesTest, FilledInTextsKeepTheirValuesInEveryLanguage) {
    for (const TLanguage& language : Languages())
        ASSERT_TRUE(QFile::copy(Shipped(language.Code), LanguageFileName(language.Code)));
    for (int index = 0; index < LanguageCount; ++index) {
        SCOPED_TRACE(Languages()[index].Code.toStdString());
        Localisation->ComboBoxLanguage->SetItemIndex(index);
        Localisation->cbLanguageChange();
        ASSERT_EQ(Localisation->CurrentLangId, Languages()[index].LangId);
        ExpectTableShown(Form1->PageTexts);
        ExpectTableShown(Form1->StepTexts);
        ExpectTableShown(Form1->FileTexts);
        ExpectTableShown(Form1->MessageTexts);
        ExpectTableShown(Form1->EntryTexts);
        ExpectTableShown(Form1->ReasonTexts);
        ExpectTableShown(PageMap->Texts);
        ExpectTableShown(fanimated->EntryTexts);
        EXPECT_TRUE(Form1->StepText({StepKind::edit_page_outside, 37}).contains("37"));
    }
    // A translation that lost the page shows the English name with it.
    Form1->StepTexts.List()->Items()->SetStrings(static_cast<int>(StepKind::edit_page_outside), "Seite");
    EXPECT_EQ(Form1->StepText({StepKind::edit_page_outside, 37}), "Edit page 37 outside");
}

TEST(ShippedLanguages, BritishEnglishIsSpelledOutWhileAmericanKeepsTheProgramsTexts) {
    QString us, uk;
    for (auto [code, texts] : {std::pair{"us", &us}, std::pair{"uk", &uk}}) {
        TFormList store;
        EXPECT_TRUE(store.LoadFromFile(Shipped(code)));
        for (const TItemString* string : store.Strings)
            texts->append(string->Text + '\n');
    }
    for (const char* word :
         {"Languaje", "Horinzontal", "Transparerent", "Managger", "Aditional", "Readme Fle"}) {
        EXPECT_TRUE(us.contains(word)) << word;
        EXPECT_FALSE(uk.contains(word)) << word;
    }
    EXPECT_TRUE(uk.contains("colour"));
}

TEST_F(ShippedLanguagesTest, DataCaptionsShowInTheCurrentLanguage) {
    for (const QString& code : {QString("fr"), QString("de")})
        ASSERT_TRUE(QFile::copy(Shipped(code), LanguageFileName(code)));
    const auto choose = [](quint16 lang_id) {
        Localisation->ComboBoxLanguage->SetItemIndex(LanguageIndexOf(lang_id));
        Localisation->cbLanguageChange();
    };
    const QString broken = WriteBytes("broken.tr4", pw::fixtures::Bytes(64, 7));
    choose(0x040C);
    OpenThroughMenu(broken);
    EXPECT_EQ(Form1->Control<TLabel>("Label3")->Caption(), "Aucun");
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Page :");
    choose(0x0407);
    OpenThroughMenu(WriteLevel(Level(3, 2)));
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Seite:1/2");
    choose(0x040C);
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Page : 1/2");
    // A failed open keeps the level and its captions.
    OpenThroughMenu(broken);
    EXPECT_EQ(Form1->Control<TLabel>("Label3")->Caption(), "level.tr2");
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Page : 1/2");
    // The history's steps are named in the language too.
    Form1->Control<TMenuItem>("AddNewPage1")->Action()->trigger();
    EXPECT_TRUE(Form1->Control<TMenuItem>("Undo1")->Caption().endsWith(" Ajouter une page"))
        << Form1->Control<TMenuItem>("Undo1")->Caption().toStdString();
}

// Message boxes, file dialogs and the entries the windows make up follow the language; names and
// numbers are filled in.
TEST_F(ShippedLanguagesTest, MessagesDialogsAndListEntriesShowInTheCurrentLanguage) {
    for (const QString& code : {QString("de"), QString("kr")})
        ASSERT_TRUE(QFile::copy(Shipped(code), LanguageFileName(code)));
    const auto choose = [](quint16 lang_id) {
        Localisation->ComboBoxLanguage->SetItemIndex(LanguageIndexOf(lang_id));
        Localisation->cbLanguageChange();
    };
    auto level = Level(3, 2);
    level.anim_words = {1, 1, 0, 1};
    OpenThroughMenu(WriteLevel(level));
    choose(0x0407);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Strings(1), "Seite #2");
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->ItemIndex(), 0);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->Strings(0), "Textur #0");
    EXPECT_EQ(fanimated->ListBox1->Items()->Strings(0), "Animierte Textur #1");
    EXPECT_EQ(fanimated->ListBox2->Items()->Strings(1), "Textur-ID: 1");

    Form1->Control<TMenuItem>("AddNewPage1")->Action()->trigger();
    platform_.messages.clear();
    platform_.answers.push_back(QMessageBox::Cancel);
    Form1->Control<TMenuItem>("OpenLevel1")->Action()->trigger();
    EXPECT_EQ(platform_.MessageTexts(),
              QStringList({QString::fromUtf8("Änderungen an level.tr2 speichern?")}));
    Form1->Document().Undo();
    platform_.file_answers.push_back(QString());
    Form1->Control<TMenuItem>("OpenLevel1")->Action()->trigger();
    EXPECT_EQ(platform_.dialogs.back().request.title, QString::fromUtf8("TR-Datei öffnen"));
    EXPECT_TRUE(platform_.dialogs.back().request.filter.startsWith("Alle TR-Dateien (*.phd,"));
    OpenThroughMenu(Folder() + "/missing.tr4");
    EXPECT_EQ(platform_.MessageTexts().back(), "Datei nicht gefunden!");

    choose(0x0412);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Strings(0), QString::fromUtf8("페이지 #1"));
    Form1->Control<TButton>("Button2")->click();
    EXPECT_EQ(platform_.MessageTexts().back(),
              QString::fromUtf8("복제된 텍스처 ID: ") +
                  QString::number(Form1->Document().Level().num_object_textures - 1));
}

TEST_F(ShippedLanguagesTest, QtsOwnTextsFollowTheLanguageWhereQtHasThem) {
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    for (const QString& code : {QString("de"), QString("se"), QString("po")})
        ASSERT_TRUE(QFile::copy(Shipped(code), LanguageFileName(code)));
    const auto choose = [](quint16 lang_id) {
        Localisation->ComboBoxLanguage->SetItemIndex(LanguageIndexOf(lang_id));
        Localisation->cbLanguageChange();
    };
    choose(0x0407);
    EXPECT_EQ(yes(), "&Ja");
    choose(0x0816); // Portuguese from Qt's Brazilian translation
    EXPECT_EQ(yes(), "&Sim");
    choose(0x041D); // Qt has no Swedish: its texts stay English
    EXPECT_EQ(yes(), "&Yes");
}

TEST_F(ShippedLanguagesTest, KoreanTextsDrawWithRealGlyphsInTheProgramsFont) {
    TFormList korean;
    ASSERT_TRUE(korean.LoadFromFile(Shipped("kr")));
    for (const TItemString* string : korean.Strings) {
        QTextLayout layout(string->Text, Form1->font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns()) {
            EXPECT_FALSE(run.glyphIndexes().contains(0))
                << string->Text.toStdString() << " in " << run.rawFont().familyName().toStdString();
        }
    }
}

// The page map's figures and free share are filled in again on a language switch, numbers written as
// the language writes them.
TEST_F(ShippedLanguagesTest, ThePageMapsFiguresFollowTheLanguage) {
    ASSERT_TRUE(QFile::copy(Shipped("de"), LanguageFileName("de")));
    auto level = Level(pw::kind_tr4, 2);
    level.object_textures = {pw::MakeRectangleTexture(pw::kind_tr4, 0, 0, 0, 255, 94)};
    OpenThroughMenu(WriteLevel(level));
    Form1->Control<TMenuItem>("PageMap1")->Action()->trigger();
    EXPECT_TRUE(
        PageMap->FreeShareLabel->Caption().startsWith("Free: 62.9% of the page   ")); // 161 of 256 rows
    Localisation->ComboBoxLanguage->SetItemIndex(LanguageIndexOf(0x0407));
    Localisation->cbLanguageChange();
    EXPECT_TRUE(PageMap->FiguresLabel->Caption().startsWith("Seiten: 2   Objekttexturen: 1"))
        << PageMap->FiguresLabel->Caption().toStdString();
    EXPECT_TRUE(PageMap->FreeShareLabel->Caption().startsWith("Frei: 62,9 % der Seite   "))
        << PageMap->FreeShareLabel->Caption().toStdString();
}

// A refused picture's reason is said in the language of the message, nested reasons too.
TEST_F(ShippedLanguagesTest, ReasonsOfRefusedPicturesShowInTheLanguage) {
    ASSERT_TRUE(QFile::copy(Shipped("de"), LanguageFileName("de")));
    OpenThroughMenu(WriteLevel(Level(pw::kind_tr4, 2)));
    Localisation->ComboBoxLanguage->SetItemIndex(LanguageIndexOf(0x0407));
    Localisation->cbLanguageChange();
    const QString folder = Folder() + "/pages";
    ASSERT_TRUE(QDir().mkpath(folder));
    QImage small(128, 128, QImage::Format_RGB32);
    small.fill(Qt::red);
    ASSERT_TRUE(small.save(folder + "/level_0.png"));
    WriteBytes("pages/level_1.png", pw::fixtures::Bytes{0x89, 'P', 'N', 'G'});
    const auto import = [&] {
        platform_.file_answers.push_back(folder);
        Form1->Control<TMenuItem>("ImportPages1")->Action()->trigger();
        return platform_.MessageTexts().value(platform_.MessageTexts().size() - 1);
    };
    EXPECT_EQ(import(),
              QString("Die Seiten wurden nicht importiert: %1 ist 128 x 128 groß; ein Seitenbild ist "
                      "256 x 256 groß")
                  .arg(QDir(folder).filePath("level_0.png")));
    ASSERT_TRUE(QFile::remove(folder + "/level_0.png"));
    const QString unreadable = import();
    EXPECT_TRUE(unreadable.startsWith("Die Seiten wurden nicht importiert: das Bild "))
        << unreadable.toStdString();
    EXPECT_FALSE(unreadable.contains("cannot")) << unreadable.toStdString();
}
