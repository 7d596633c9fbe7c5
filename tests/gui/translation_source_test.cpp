// The translators' source of the shipped languages against the windows it translates: every row names
// a component the program has, its English text is the one the window shows, every text of the main
// windows has a row, texts fit the language files, and access keys stay unique within each menu.
#include <map>
#include <set>

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextStream>

#include "app/about_window.h"
#include "app/readme_window.h"
#include "app_fixture.h"
#include "localisation/language_window.h"
#include "texture_windows/animated_window.h"
#include "texture_windows/page_map_window.h"
#include "widgets/published_properties.h"
#include "widgets/t_strings.h"

namespace {

const QStringList kHeader{"form", "component", "property", "us", "uk", "fr",
                          "de",   "es",        "it",       "se", "po", "kr"};
constexpr int kFirstLanguage = 3;
constexpr int kColumns = 12;
// English (US), English (UK), French, German and Spanish translate every text.
const QList<int> kCompleteColumns{3, 4, 5, 6, 7};
constexpr int kKoreanColumn = 11;

using Row = QStringList;

std::vector<Row> ReadSource() {
    QFile file(PW_TRANSLATIONS_SOURCE);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    std::vector<Row> rows;
    while (!in.atEnd())
        rows.push_back(in.readLine().split('\t'));
    return rows;
}

// The text a window publishes for a slot named as in the source: Caption, Hint or Items[i].
std::optional<QString> PublishedText(const QObject* component, const QString& slot) {
    const QMetaObject* meta = component->metaObject();
    if (slot.startsWith("Items[")) {
        const int index = slot.mid(6).chopped(1).toInt();
        for (const QMetaProperty& property : PublishedObjectProperties(meta)) {
            if (const auto* items = qobject_cast<const TStrings*>(property.read(component).value<QObject*>()))
                return items->ToStringList().value(index);
        }
        return std::nullopt;
    }
    for (const QMetaProperty& property : PublishedStringProperties(meta)) {
        const QString name = QString::fromLatin1(property.name());
        const bool caption = name.compare("Caption", Qt::CaseInsensitive) == 0 || name.contains("Text");
        if ((slot == "Caption" && caption) ||
            (slot == "Hint" && name.compare("Hint", Qt::CaseInsensitive) == 0))
            return property.read(component).toString();
    }
    return std::nullopt;
}

const TForm* FormOfClass(const QString& class_name) {
    for (const TForm* form : TForm::Forms()) {
        if (class_name == form->metaObject()->className())
            return form;
    }
    return nullptr;
}

const QObject* Component(const TForm* form, const QString& name) {
    return form->objectName() == name ? form : form->FindComponent(name);
}

// The access key of a caption: the letter after a single "&".
QChar AccessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&' && caption[i + 1] != '&')
            return caption[i + 1].toUpper();
        if (caption[i] == '&')
            ++i;
    }
    return {};
}

class TranslationSourceTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        rows_ = ReadSource();
        ASSERT_FALSE(rows_.empty());
        ASSERT_EQ(rows_.front(), kHeader);
        rows_.erase(rows_.begin());
    }

    const Row* Find(const QString& form, const QString& component, const QString& slot) const {
        for (const Row& row : rows_) {
            if (row[0] == form && row[1] == component && row[2] == slot)
                return &row;
        }
        return nullptr;
    }

    std::vector<Row> rows_;
};

} // namespace

TEST_F(TranslationSourceTest, RowsAreCompleteAndFitTheLanguageFiles) {
    QStringEncoder western("windows-1252");
    QStringEncoder korean("windows-949");
    std::set<QString> keys;
    for (const Row& row : rows_) {
        ASSERT_EQ(row.size(), kColumns) << row.join('|').toStdString();
        const QString where = row.mid(0, 3).join(' ');
        EXPECT_TRUE(keys.insert(where).second) << "twice: " << where.toStdString();
        for (int column : kCompleteColumns)
            EXPECT_FALSE(row[column].isEmpty())
                << where.toStdString() << " " << kHeader[column].toStdString();
        for (int column = kFirstLanguage; column < kColumns; ++column) {
            EXPECT_LE(row[column].size(), 255);
            QStringEncoder& encoder = column == kKoreanColumn ? korean : western;
            if (!encoder.isValid())
                continue;
            (void)encoder.encode(row[column]).operator QByteArray();
            EXPECT_FALSE(encoder.hasError()) << where.toStdString() << " " << kHeader[column].toStdString();
            encoder.resetState();
        }
    }
}

TEST_F(TranslationSourceTest, RowsNameTheComponentsAndEnglishTextsOfTheWindows) {
    // Forms whose controls are built check every row; the others those of their controls that exist.
    const std::set<QString> built{"TForm1", "TForm2", "TForm3", "TLocalisation", "TPageMap"};
    // The language window's own texts default to French; the source gives them in English.
    const std::set<QString> english_defaults{"TForm1", "TForm2", "TForm3", "Tfanimated", "TPageMap"};
    for (const Row& row : rows_) {
        const TForm* form = FormOfClass(row[0]);
        ASSERT_NE(form, nullptr) << row[0].toStdString();
        const QObject* component = Component(form, row[1]);
        if (!component) {
            EXPECT_FALSE(built.count(row[0])) << "no component " << row.mid(0, 2).join('.').toStdString();
            continue;
        }
        const std::optional<QString> text = PublishedText(component, row[2]);
        ASSERT_TRUE(text.has_value()) << row.mid(0, 3).join('.').toStdString();
        if (english_defaults.count(row[0])) {
            EXPECT_EQ(*text, row[3]) << row.mid(0, 3).join('.').toStdString();
        }
    }
}

TEST_F(TranslationSourceTest, EveryTextOfTheMainWindowsHasARow) {
    // Texts that are data rather than words: credits, the colour shown, the readme file itself, and the
    // selected entry of a list (its entries have rows); the language window's language names, tree and
    // search box, and the caption of its search button, which keep what they show.
    const std::map<QString, std::set<QString>> not_translated{
        {"TForm1", {"Label6", "ComboBox3.Caption"}},
        {"TForm2", {"Label4", "Label6"}},
        {"TForm3", {"Memo1"}},
        {"TPageMap",
         {"FiguresLabel", "WarningsLabel", "FreeShareLabel", "PageBox", "ZoomBox.Caption",
          "DepthBox.Caption"}},
        {"TLocalisation",
         {"ComboBoxLanguage", "cbSecondaryLanguage", "TreeView", "EditText",
          "ButtonNextNewElement.Caption"}}};
    for (const TForm* form : {static_cast<const TForm*>(Form1), static_cast<const TForm*>(Form2),
                              static_cast<const TForm*>(Form3), static_cast<const TForm*>(Localisation),
                              static_cast<const TForm*>(PageMap)}) {
        const QString class_name = form->metaObject()->className();
        QList<const QObject*> components{form};
        for (const QObject* component : form->Components())
            components.append(component);
        for (const QObject* component : components) {
            const std::set<QString>& skipped = not_translated.at(class_name);
            if (skipped.count(component->objectName()))
                continue;
            QStringList slot_names{"Caption", "Hint"};
            for (int i = 0; i < 16; ++i)
                slot_names.append(QStringLiteral("Items[%1]").arg(i));
            for (const QString& slot : slot_names) {
                const QString text = PublishedText(component, slot).value_or(QString());
                if (text.isEmpty() || text == "-" || (slot == "Hint" && component == form) ||
                    skipped.count(component->objectName() + "." + slot))
                    continue;
                EXPECT_NE(Find(class_name, component->objectName(), slot), nullptr)
                    << "no row for " << class_name.toStdString() << " "
                    << component->objectName().toStdString() << "." << slot.toStdString() << " \""
                    << text.toStdString() << "\"";
            }
        }
    }
}

TEST_F(TranslationSourceTest, AccessKeysAreUniqueWithinEachMenu) {
    QList<QList<TMenuItem*>> menus{Form1->Control<TMainMenu>("MainMenu1")->Items()};
    for (qsizetype m = 0; m < menus.size(); ++m) {
        for (TMenuItem* item : menus[m]) {
            if (!item->Items().isEmpty())
                menus.append(item->Items());
        }
    }
    for (int column = kFirstLanguage; column < kColumns; ++column) {
        for (const QList<TMenuItem*>& menu : menus) {
            std::map<QChar, QString> used;
            for (const TMenuItem* item : menu) {
                const Row* row = Find("TForm1", item->objectName(), "Caption");
                if (!row || (*row)[column].isEmpty())
                    continue;
                const QChar key = AccessKey((*row)[column]);
                if (key.isNull())
                    continue;
                const auto [at, fresh] = used.emplace(key, item->objectName());
                EXPECT_TRUE(fresh) << kHeader[column].toStdString() << ": " << at->second.toStdString()
                                   << " and " << item->objectName().toStdString() << " share "
                                   << QString(key).toStdString();
            }
        }
    }
}
