// The texts of the windows as the translation of the windows will find them: through the properties
// that the control classes publish, read with QMetaObject alone, over each form's flat component list.
#include <QFile>
#include <QTextStream>

#include "app/about_window.h"
#include "app/progress_window.h"
#include "app/readme_window.h"
#include "app/reason_texts.h"
#include "app_fixture.h"
#include "localisation/language_window.h"
#include "texture_windows/animated_window.h"
#include "widgets/published_properties.h"
#include "widgets/t_strings.h"

namespace {

struct Texts {
    QStringList captions;
    QStringList hints;
    QStringList items;
};

void CollectTexts(const QObject* object, Texts& texts) {
    const QMetaObject* meta = object->metaObject();
    for (const QMetaProperty& property : PublishedStringProperties(meta)) {
        const QString name = QString::fromLatin1(property.name());
        const QString value = property.read(object).toString();
        if (name.compare("Caption", Qt::CaseInsensitive) == 0 || name.contains("Text"))
            texts.captions.append(value);
        else if (name.compare("Hint", Qt::CaseInsensitive) == 0)
            texts.hints.append(value);
    }
    for (const QMetaProperty& property : PublishedObjectProperties(meta)) {
        if (const auto* strings = qobject_cast<const TStrings*>(property.read(object).value<QObject*>()))
            texts.items.append(strings->ToStringList());
    }
}

Texts FormTexts(const TForm* form) {
    Texts texts;
    CollectTexts(form, texts);
    for (const QObject* component : form->Components())
        CollectTexts(component, texts);
    return texts;
}

QStringList Names(const QList<QMetaProperty>& properties) {
    QStringList names;
    for (const QMetaProperty& property : properties)
        names.append(QString::fromLatin1(property.name()));
    return names;
}

void ExpectContains(const QStringList& found, const QStringList& wanted) {
    for (const QString& text : wanted)
        EXPECT_TRUE(found.contains(text)) << "missing: " << text.toStdString();
}

} // namespace

TEST_F(AppTest, MainWindowTextsAreAllPublished) {
    const Texts texts = FormTexts(Form1);
    ExpectContains(texts.captions, {"Kestrel's Pagewright",
                                    "LEVEL FILE",
                                    "IMAGE FILE",
                                    "None",
                                    "Page:",
                                    "<----",
                                    "Texture Table",
                                    "Flip Horinzontal",
                                    "Flip Vertical",
                                    "CLONE",
                                    "8 bits transparent color:",
                                    "0,0,0",
                                    "&File",
                                    "&Open",
                                    "&Save",
                                    "Save &As",
                                    "-",
                                    "Open &Texture images",
                                    "Save Texture to &Bitmap",
                                    "E&xit",
                                    "&Edit",
                                    "&Copy",
                                    "&Paste",
                                    "&Go to texture...",
                                    "&Pages",
                                    "&Add new empty page",
                                    "Define 64x64 textures",
                                    "Define 64x48 textures",
                                    "Define 64x32 textures",
                                    "Define 64x16 textures",
                                    "Define mouse selected",
                                    "&Animated Textures",
                                    "&Help",
                                    "Readme Fle",
                                    "&About...",
                                    "Languaje"});
    EXPECT_EQ(texts.captions.count("None"), 7); // Label3, Label4 and the five recent-file items
    ExpectContains(texts.hints,
                   {"Left click to select a tile", "Click to copy to the selected tile",
                    "Copy the entire page", "Select a texture piece", "Texture attrib",
                    "Clone the current texture to a new Id", "Use this color for transparent textures"});
    EXPECT_EQ(texts.items, PageTextPatterns() + HistoryStepNames() + FileNameTextPatterns() +
                               MessageTextPatterns() + EntryTextPatterns() + ReasonTextPatterns() +
                               QStringList({"Opaque", "Transparerent", "Semi-Transparent"}));
}

TEST_F(AppTest, AuxiliaryWindowTextsArePublished) {
    const Texts about = FormTexts(Form2);
    ExpectContains(about.captions,
                   {"About Pagewright", "Main Programming by", "Aditional programming by", "OK"});

    const Texts readme = FormTexts(Form3);
    ExpectContains(readme.captions, {"Readme.txt"});
    QFile shipped(PW_README_PATH);
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(readme.items.join('\n'), QTextStream(&shipped).readAll().chopped(1));

    // The progress window is captionless: nothing of it is for translation.
    const Texts progress = FormTexts(Form5);
    EXPECT_EQ(progress.captions, QStringList({"", ""}));
    EXPECT_TRUE(progress.items.isEmpty());

    const Texts animated = FormTexts(fanimated);
    EXPECT_EQ(animated.captions,
              QStringList({"Animated texture Managger", "Animated Texture List", "Frames", "Sample",
                           "Original size", "ADD", "DELETE", "ADD", "DELETE", "REPLACE", "Done"}));
    QStringList hints = animated.hints;
    hints.removeAll(QString());
    EXPECT_EQ(hints, QStringList({"Select a animated texture", "Add New animated texture set",
                                  "Delete last animated texture set", "Add new frame to the set",
                                  "Delete the current frame", "Texture Id to add or replace",
                                  "Replace the current frame"}));
    ExpectContains(FormTexts(Localisation).captions,
                   {"Select a language or Press Shift+F2", "Language :", "OK", "&Enregistrer", ">>"});
}

TEST_F(AppTest, OnlyOurOwnPropertiesArePublishedInNameOrder) {
    EXPECT_EQ(Names(PublishedProperties(Form1->metaObject())), QStringList({"Caption", "Hint", "Tag"}));
    EXPECT_EQ(Names(PublishedProperties(Form1->Control<TComboBox>("ComboBox1")->metaObject())),
              QStringList({"Hint", "Items", "Tag", "Text"}));
    EXPECT_EQ(Names(PublishedProperties(Form5->Gauge1->metaObject())),
              QStringList({"Hint", "Progress", "Tag"}));
    // A string list publishes nothing of its own, so no text of it is taken for a caption.
    EXPECT_TRUE(PublishedProperties(Form1->Control<TComboBox>("ComboBox1")->Items()->metaObject()).isEmpty());
}

TEST_F(AppTest, ComponentsAreOneFlatListInCreationOrder) {
    QStringList names;
    for (const QObject* component : Form1->Components())
        names.append(component->objectName());
    EXPECT_EQ(names.mid(0, 8), QStringList({"Label1", "Label2", "Label3", "Label4", "ComboBox1", "GroupBox1",
                                            "Image1", "GroupBox2"}));
    EXPECT_TRUE(names.contains("Label6")); // inside GroupBox3
    EXPECT_TRUE(names.contains("Languaje1"));
    EXPECT_EQ(names.removeDuplicates(), 0);
    EXPECT_EQ(Form1->FindComponent("Image3"), Form1->Control<TImage>("Image3"));
}

TEST_F(AppTest, WindowsAreCreatedInStartUpOrder) {
    QStringList names;
    for (const TForm* form : TForm::Forms())
        names.append(form->objectName());
    EXPECT_EQ(names,
              QStringList({"Form1", "Form2", "fanimated", "PageMap", "Form3", "Localisation", "Form5"}));
    QStringList classes;
    for (const TForm* form : TForm::Forms())
        classes.append(QString::fromLatin1(form->metaObject()->className()));
    EXPECT_EQ(classes, QStringList({"TForm1", "TForm2", "Tfanimated", "TPageMap", "TForm3", "TLocalisation",
                                    "TForm5"}));
}

TEST_F(AppTest, MenuShortcuts) {
    const std::pair<TMenuItem*, QKeySequence> expected[] = {
        {Form1->Control<TMenuItem>("OpenLevel1"), QKeySequence("Ctrl+O")},
        {Form1->Control<TMenuItem>("Save1"), QKeySequence("Ctrl+S")},
        {Form1->Control<TMenuItem>("openimage1"), QKeySequence("F6")},
        {Form1->Control<TMenuItem>("ExporttoImage1"), QKeySequence("F5")},
        {Form1->Control<TMenuItem>("Exit2"), QKeySequence("Ctrl+X")},
        {Form1->Control<TMenuItem>("Copy1"), QKeySequence("Ctrl+C")},
        {Form1->Control<TMenuItem>("Paste1"), QKeySequence("Ctrl+V")},
        {Form1->Control<TMenuItem>("AddNewPage1"), QKeySequence("Ctrl+N")}};
    for (const auto& [item, keys] : expected)
        EXPECT_EQ(item->ShortCut(), keys) << item->objectName().toStdString();
    EXPECT_FALSE(Form1->Control<TMenuItem>("Paste1")->Enabled());
    EXPECT_TRUE(Form1->Control<TMenuItem>("N1")->Action()->isSeparator());
}
