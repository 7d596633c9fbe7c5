// Language files: the string encoding, round trips through the writer and reader, files of the oldest
// version built byte by byte, the limits on both sides and damaged files.
#include <gtest/gtest.h>

#include <array>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "localisation/code_page.h"
#include "localisation/form_list.h"
#include "localisation/scramble.h"

namespace {

// Assembles a language file from its layout, independently of the writer.
class FileBytes {
public:
    FileBytes& Byte(int value) {
        bytes.append(static_cast<char>(value));
        return *this;
    }
    FileBytes& Word(quint32 value) {
        for (int i = 0; i < 4; ++i)
            Byte(static_cast<int>((value >> (8 * i)) & 0xFF));
        return *this;
    }
    FileBytes& Plain(const QByteArray& text) {
        Byte(static_cast<int>(text.size()));
        bytes.append(text);
        return *this;
    }
    // First byte minus 31, the others minus that stored byte, for texts of 1 to 127 bytes.
    FileBytes& Encoded(const QByteArray& text) {
        if (text.isEmpty() || text.size() > 127)
            return Plain(text);
        QByteArray stored = text;
        const auto first = static_cast<quint8>(text[0] - 31);
        stored[0] = static_cast<char>(first);
        for (qsizetype i = 1; i < text.size(); ++i)
            stored[i] = static_cast<char>(static_cast<quint8>(text[i]) - first);
        return Plain(stored);
    }
    FileBytes& Header(const QByteArray& signature, quint16 lang_id = 0x040C) {
        Plain(signature);
        Byte(lang_id & 0xFF).Byte(lang_id >> 8);
        return Plain("x.lng");
    }

    QByteArray bytes;
};

TCompInfo* Component(TFormInfo* form, const QString& name, const QString& caption) {
    TCompInfo* record = form->AddComponent(nullptr);
    record->Name = name;
    record->ClassName = QStringLiteral("TLabel");
    if (!caption.isEmpty())
        record->SetSlotText(SlotCaption, caption, true);
    return record;
}

TFormInfo* Form(TFormList& store, const QString& name, const QString& class_name, const QString& caption) {
    TFormInfo* form = store.AddForm(nullptr);
    form->Name = name;
    form->ClassName = class_name;
    form->SetSlotText(SlotCaption, caption, true);
    return form;
}

// A complete version 1.3 file: counts[0] texts "s0", "s1", ...; counts[1] windows; counts[2] components
// in the first window, each captioned with the last text; counts[3] items of the first component.
QByteArray CountedFile(const std::array<int, 4>& counts) {
    const auto [strings, forms, components, items] = counts;
    FileBytes file;
    file.Header("LFv01.3").Word(strings);
    for (int i = 0; i < strings; ++i)
        file.Encoded("s" + QByteArray::number(i));
    file.Word(forms);
    for (int f = 0; f < forms; ++f) {
        file.Encoded("F" + QByteArray::number(f)).Encoded("TF" + QByteArray::number(f)).Word(0);
        file.Word(f == 0 ? components : 0);
        for (int c = 0; f == 0 && c < components; ++c) {
            file.Encoded("C" + QByteArray::number(c)).Encoded("TC").Word(strings).Word(0).Word(0);
            file.Word(c == 0 ? items : 0);
            for (int k = 0; c == 0 && k < items; ++k)
                file.Word(1);
        }
    }
    return file.bytes;
}

} // namespace

TEST(LanguageFile, ShortTextsAreScrambledLongOnesStoredAsTheyAre) {
    EXPECT_EQ(ScrambleString("AB"), QByteArray("\x22\x20"));       // 65 - 31, 66 - 34
    EXPECT_EQ(ScrambleString("\x10\x05"), QByteArray("\xF1\x14")); // wraps modulo 256
    const QByteArray text127(127, 'z');
    const QByteArray text128(128, 'z');
    EXPECT_EQ(ScrambleString(text127).left(2), QByteArray("\x5B\x1F"));
    EXPECT_EQ(UnscrambleString(ScrambleString(text127)), text127);
    EXPECT_EQ(ScrambleString(text128), text128);
    EXPECT_EQ(ScrambleString({}), QByteArray());
}

TEST(LanguageFile, RoundTripKeepsFormsTextsAcceleratorsAndFlags) {
    TFormList store;
    store.LangId = 0x0407;
    TFormInfo* main = Form(store, "Form1", "TForm1", "Haupt&fenster");
    main->SetNew(SlotCaption, false);
    TCompInfo* button = Component(main, "Button1", "&Öffnen");
    button->SetSlotText(SlotShortHint, "Kurz", false);
    button->SetSlotText(SlotLongHint, "Lang", false);
    button->SetNew(SlotShortHint, false);
    TCompInfo* list = Component(main, "ComboBox3", "");
    list->SetSlotText(0, "Eins", true);
    list->SetSlotText(1, "Zw&ei", true);
    list->SetNew(1, false);
    Component(main, "Empty", "");    // no text: not written
    Component(main, "", "Nameless"); // no name: not written
    TCompInfo* gapped = Component(main, "ListBox1", "");
    gapped->SetSlotText(0, "A", true);
    gapped->AddItemSlot(); // an empty entry ends the list on reading
    gapped->SetSlotText(2, "C", true);
    Form(store, "Form2", "TForm2", "Über");

    TFormList read;
    ASSERT_TRUE(read.LoadFromBytes(store.SaveToBytes("Pagewright_de.lng")))
        << read.ErrorString().toStdString();
    EXPECT_EQ(read.LangId, 0x0407);
    ASSERT_EQ(read.Forms.size(), 2);
    TFormInfo* form = read.Forms[0];
    EXPECT_EQ(form->Name, "Form1");
    EXPECT_EQ(form->ClassName, "TForm1");
    EXPECT_EQ(form->GetSlotText(SlotCaption), "Hauptfenster"); // form captions keep no accelerator
    EXPECT_FALSE(form->IsNew(SlotCaption));
    ASSERT_EQ(form->Components.size(), 3);
    const TCompInfo* b = form->FindComponent("Button1");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->ClassName, "TLabel");
    EXPECT_EQ(b->GetSlotText(SlotCaption), "&Öffnen");
    EXPECT_EQ(b->GetSlotText(SlotShortHint), "Kurz");
    EXPECT_EQ(b->GetSlotText(SlotLongHint), "Lang");
    EXPECT_TRUE(b->IsNew(SlotCaption));
    EXPECT_FALSE(b->IsNew(SlotShortHint));
    EXPECT_TRUE(b->IsNew(SlotLongHint));
    const TCompInfo* l = form->FindComponent("ComboBox3");
    ASSERT_TRUE(l);
    ASSERT_EQ(l->ItemCount(), 2);
    EXPECT_EQ(l->GetSlotText(1), "Zw&ei");
    EXPECT_TRUE(l->IsNew(0));
    EXPECT_FALSE(l->IsNew(1));
    EXPECT_EQ(form->FindComponent("ListBox1")->ItemCount(), 1);
    EXPECT_EQ(read.Forms[1]->GetSlotText(SlotCaption), "Über");
    // Only texts that a record uses come back: not those of records left out, nor "C".
    EXPECT_EQ(read.Strings.size(), 8);
}

TEST(LanguageFile, Version10KeepsAmpersandsAndHasNoLongHints) {
    FileBytes file;
    file.Header("LFv01.0").Word(3).Encoded("&Datei").Encoded("Fen&ster").Encoded("Tipp");
    file.Word(1).Encoded("Form1").Encoded("TForm1").Word(2).Word(2);
    file.Encoded("File1").Encoded("TMenuItem").Word(1).Word(3).Word(1).Word(1);
    file.Encoded("Label1").Encoded("TLabel").Word(0).Word(0x7F000003).Word(0); // top byte of a hint ignored

    TFormList store;
    ASSERT_TRUE(store.LoadFromBytes(file.bytes)) << store.ErrorString().toStdString();
    TFormInfo* form = store.Forms.value(0);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->GetSlotString(SlotCaption)->Text, "Fenster");
    EXPECT_FALSE(form->IsNew(SlotCaption)); // no flags before 1.3: read texts count as translated
    const TCompInfo* file_item = form->FindComponent("File1");
    ASSERT_TRUE(file_item);
    EXPECT_EQ(file_item->GetSlotString(SlotCaption)->Text, "Datei");
    EXPECT_EQ(file_item->GetAccel(SlotCaption), 1);
    EXPECT_EQ(file_item->GetSlotText(SlotShortHint), "Tipp");
    EXPECT_EQ(file_item->GetSlotText(0), "&Datei");
    EXPECT_EQ(form->FindComponent("Label1")->GetSlotText(SlotShortHint), "Tipp");
}

TEST(LanguageFile, MergingKeepsWhatTheFileDoesNotGiveFlaggedNew) {
    TFormList store;
    TFormInfo* form = Form(store, "Form1", "TForm1", "Main");
    TCompInfo* label = Component(form, "Label1", "Old");
    label->SetNew(SlotCaption, false);
    TCompInfo* other = Component(form, "Label2", "Kept");
    other->SetNew(SlotCaption, false);

    FileBytes file;
    file.Header("LFv01.3").Word(1).Encoded("Neu");
    file.Word(2).Encoded("Form1").Encoded("TForm1").Word(0).Word(1);
    file.Encoded("Label1").Encoded("TLabel").Word(1).Word(0).Word(0).Word(0);
    file.Encoded("Other").Encoded("TForm9").Word(0x80000001u).Word(1); // a window only the file knows
    file.Encoded("Ghost").Encoded("TLabel").Word(0).Word(0).Word(0).Word(0);
    ASSERT_TRUE(store.LoadFromBytes(file.bytes));
    EXPECT_EQ(label->GetSlotText(SlotCaption), "Neu");
    EXPECT_FALSE(label->IsNew(SlotCaption));
    EXPECT_EQ(other->GetSlotText(SlotCaption), "Kept");
    EXPECT_TRUE(other->IsNew(SlotCaption));
    ASSERT_EQ(store.Forms.size(), 2);
    EXPECT_EQ(store.Forms[1]->ClassName, "TForm9");
    EXPECT_TRUE(store.Forms[1]->IsNew(SlotCaption));
    EXPECT_TRUE(store.Forms[1]->Components.isEmpty()); // a block without text leaves no record
}

TEST(LanguageFile, DamagedFilesFailAndKeepWhatWasMerged) {
    FileBytes good;
    good.Header("LFv01.3").Word(2).Encoded("Eins").Encoded("Zwei");
    good.Word(1).Encoded("Form1").Encoded("TForm1").Word(1).Word(1);
    good.Encoded("List").Encoded("TListBox").Word(0).Word(0).Word(0).Word(2).Word(1).Word(2);
    {
        TFormList store;
        ASSERT_TRUE(store.LoadFromBytes(good.bytes));
    }
    // Every cut fails without crashing; a cut inside the items keeps the first item.
    for (qsizetype size = 0; size < good.bytes.size(); ++size) {
        TFormList store;
        EXPECT_FALSE(store.LoadFromBytes(good.bytes.left(size))) << size;
        EXPECT_FALSE(store.ErrorString().isEmpty());
        if (size == good.bytes.size() - 1) {
            ASSERT_EQ(store.Forms.size(), 1);
            EXPECT_EQ(store.Forms[0]->GetSlotText(SlotCaption), "Eins");
            EXPECT_EQ(store.Forms[0]->FindComponent("List")->ItemCount(), 1);
        }
    }
    const auto rejected = [](const QByteArray& bytes) {
        TFormList store;
        return !store.LoadFromBytes(bytes) && store.Forms.isEmpty();
    };
    QByteArray bytes = good.bytes;
    bytes[0] = 8; // signature length
    EXPECT_TRUE(rejected(bytes));
    for (const char* signature : {"LFx01.3", "LFv1.30", "LFv0a.3", "LFv01,3"})
        EXPECT_TRUE(rejected(FileBytes().Header(signature).Word(0).Word(0).bytes)) << signature;
    EXPECT_TRUE(rejected(FileBytes().Header("LFv01.3").Word(0xFFFFFFFFu).bytes)); // negative count
    EXPECT_TRUE(rejected(FileBytes().Header("LFv01.3").Word(5000).bytes));
    EXPECT_TRUE(rejected(FileBytes().Header("LFv01.3").Word(0).Word(501).bytes));
    EXPECT_TRUE(rejected(FileBytes().Header("LFv01.3").Word(0).Word(0x80000000u).bytes));
    FileBytes long_name;
    long_name.Header("LFv01.3").Word(0).Word(1).Plain(QByteArray(255, 'F'));
    EXPECT_TRUE(rejected(long_name.bytes));
    FileBytes components;
    components.Header("LFv01.3").Word(0).Word(1).Encoded("F").Encoded("TF").Word(0).Word(2001);
    EXPECT_FALSE(TFormList().LoadFromBytes(components.bytes));
    FileBytes items;
    items.Header("LFv01.3").Word(0).Word(1).Encoded("F").Encoded("TF").Word(0).Word(1);
    items.Encoded("C").Encoded("TC").Word(0).Word(0).Word(0).Word(1001);
    EXPECT_FALSE(TFormList().LoadFromBytes(items.bytes));
}

TEST(LanguageFile, LargestCountsAreReadWholeAndOneMoreIsRefusedForTheCount) {
    const std::array<int, 4> largest = {4999, 500, 2000, 1000};
    const char* names[] = {"string", "form", "component", "item"};
    for (std::size_t i = 0; i < largest.size(); ++i) {
        SCOPED_TRACE(names[i]);
        std::array<int, 4> counts = {2, 1, 1, 1};
        counts[i] = largest[i];
        TFormList store;
        ASSERT_TRUE(store.LoadFromBytes(CountedFile(counts))) << store.ErrorString().toStdString();
        ASSERT_EQ(store.Forms.size(), counts[1]);
        ASSERT_EQ(store.Forms[0]->Components.size(), counts[2]);
        const TCompInfo* first = store.Forms[0]->Components[0];
        EXPECT_EQ(first->GetSlotText(SlotCaption), "s" + QString::number(counts[0] - 1));
        EXPECT_EQ(first->ItemCount(), counts[3]);

        ++counts[i];
        TFormList over;
        EXPECT_FALSE(over.LoadFromBytes(CountedFile(counts)));
        EXPECT_TRUE(over.ErrorString().contains(QStringLiteral("invalid %1 count").arg(names[i])))
            << over.ErrorString().toStdString();
    }
}

TEST(LanguageFile, WriterRefusesWhatTheReaderWouldReject) {
    TFormList store;
    TFormInfo* form = Form(store, "Form1", "TForm1", "Main");
    TCompInfo* list = Component(form, "List", "");
    for (int i = 0; i < 1000; ++i)
        list->SetSlotText(i, QString::number(i) + "x", true);
    {
        TFormList read;
        ASSERT_TRUE(read.LoadFromBytes(store.SaveToBytes("a.lng"))) << store.ErrorString().toStdString();
        EXPECT_EQ(read.Forms[0]->FindComponent("List")->ItemCount(), 1000);
    }
    list->SetSlotText(1000, "1000x", true);
    EXPECT_TRUE(store.SaveToBytes("a.lng").isEmpty());
    EXPECT_TRUE(store.ErrorString().contains("1001"));
    QTemporaryDir folder;
    const QString path = folder.filePath("a.lng");
    EXPECT_FALSE(store.SaveToFile(path));
    EXPECT_FALSE(QFile::exists(path));
    delete list;

    // 2000 components of a window and 4999 texts in all are the most a file may hold.
    TFormInfo* second = Form(store, "Form2", "TForm2", "Second");
    for (int i = 0; i < 2001; ++i)
        Component(form, QString("A%1").arg(i), QString("a%1").arg(i));
    EXPECT_TRUE(store.SaveToBytes("a.lng").isEmpty());
    delete form->Components.last();
    TFormInfo* third = Form(store, "Form3", "TForm3", "Third");
    for (int i = 0; i < 4999 - 2003; ++i)
        Component(i < 1500 ? second : third, QString("B%1").arg(i), QString("b%1").arg(i));
    ASSERT_EQ(store.Strings.size(), 4999);
    Component(second, "One", "too many");
    EXPECT_TRUE(store.SaveToBytes("a.lng").isEmpty());
    delete second->Components.last();
    ASSERT_TRUE(store.SaveToFile(path)) << store.ErrorString().toStdString();
    TFormList read;
    EXPECT_TRUE(read.LoadFromFile(path));
    EXPECT_EQ(read.Strings.size(), 4999);
    EXPECT_EQ(read.Forms[0]->Components.size(), 2000);
}

TEST(LanguageFile, CodePagesAndByteLimits) {
    // The program starts only where Qt converts both code pages.
    EXPECT_TRUE(MissingCodePages().isEmpty()) << MissingCodePages().join(", ").toStdString();
    TFormList korean;
    korean.LangId = 0x0412;
    TFormInfo* form = Form(korean, "Form1", "TForm1", QString::fromUtf8("파일 열기"));
    // 200 Hangul syllables are 400 bytes in code page 949: cut to 127 whole characters.
    Component(form, "Label2", QString(200, QChar(0xAC00)));
    TFormList read;
    ASSERT_TRUE(read.LoadFromBytes(korean.SaveToBytes("k.lng")));
    EXPECT_EQ(read.Forms[0]->GetSlotText(SlotCaption), QString::fromUtf8("파일 열기"));
    EXPECT_EQ(read.Forms[0]->FindComponent("Label2")->GetSlotText(SlotCaption), QString(127, QChar(0xAC00)));

    TFormList western;
    western.LangId = 0x040C;
    // Over 127 bytes, so stored unscrambled and visible in the file.
    const QString caption = QString(120, 'x') + QString::fromUtf8("Données € ‚ œ");
    TFormInfo* french = Form(western, "Form1", "TForm1", caption);
    Component(french, "Label1", QString::fromUtf8("日本"));
    TCompInfo* far = Component(french, "Label2", "");
    far->SetSlotText(SlotCaption, QString(200, 'x') + "&y", true); // accelerator beyond 127
    const QByteArray bytes = western.SaveToBytes("f.lng");
    EXPECT_TRUE(bytes.contains("Donn\xE9"
                               "es \x80 \x82 \x9C"));
    ASSERT_TRUE(read.LoadFromBytes(bytes));
    EXPECT_EQ(read.Forms[0]->GetSlotText(SlotCaption), caption);
    EXPECT_EQ(read.Forms[0]->FindComponent("Label1")->GetSlotText(SlotCaption), "??");
    EXPECT_EQ(read.Forms[0]->FindComponent("Label2")->GetAccel(SlotCaption), 0);
}

TEST(LanguageFile, KoreanAcceleratorsCountBytesOfCodePage949) {
    // "파일(F)" in code page 949: two bytes per syllable, so F is byte 6 (character 4); an item whose
    // position falls inside a syllable has no accelerator.
    const QByteArray file_text("\xC6\xC4\xC0\xCF(F)");
    FileBytes file;
    file.Header("LFv01.3", 0x0412).Word(1).Encoded(file_text);
    file.Word(1).Encoded("Form1").Encoded("TForm1").Word(0).Word(1);
    file.Encoded("File1").Encoded("TMenuItem").Word(0x06000001).Word(0).Word(0).Word(1).Word(0x02000001);

    TFormList store;
    ASSERT_TRUE(store.LoadFromBytes(file.bytes)) << store.ErrorString().toStdString();
    const TCompInfo* item = store.Forms.value(0)->FindComponent("File1");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->GetSlotText(SlotCaption), QString::fromUtf8("파일(&F)"));
    EXPECT_EQ(item->GetAccel(0), 0);
    // Written back, the position is a byte position again.
    const QByteArray written = store.SaveToBytes("k.lng");
    FileBytes names;
    names.Encoded("File1").Encoded("TMenuItem");
    const qsizetype caption = written.indexOf(names.bytes) + names.bytes.size();
    ASSERT_GT(caption, names.bytes.size());
    EXPECT_EQ(written.mid(caption, 4), QByteArray("\x01\x00\x00\x06", 4));

    // A marked syllable counts the bytes before it, not through it, both ways.
    const TCodePage korean(KoreanLangId);
    const QString syllables = QString::fromUtf8("A파일");
    const int first_byte[] = {0, 1, 2, 4}; // of characters 1 to 3
    for (int character = 1; character <= 3; ++character) {
        EXPECT_EQ(korean.AccelToBytes(syllables, character), first_byte[character]) << character;
        EXPECT_EQ(korean.AccelFromBytes(syllables, first_byte[character]), character) << character;
    }
}

TEST(LanguageFile, AFileAtTheReadersLimitsLoadsInLinearTime) {
    // Every string in use, many components per form and many items each: what a reader that looks
    // texts and names up one by one takes tens of seconds over.
    FileBytes file;
    file.Header("LFv01.3").Word(4999);
    for (int i = 0; i < 4999; ++i)
        file.Encoded("t" + QByteArray::number(i));
    file.Word(5);
    int next = 0;
    for (int form = 0; form < 5; ++form) {
        file.Encoded("F" + QByteArray::number(form)).Encoded("TF" + QByteArray::number(form)).Word(1);
        file.Word(2000);
        for (int c = 0; c < 2000; ++c) {
            file.Encoded("c" + QByteArray::number(c)).Encoded("T").Word(++next % 4999 + 1).Word(0).Word(0);
            file.Word(19);
            for (int k = 0; k < 19; ++k)
                file.Word(++next % 4999 + 1);
        }
    }
    ASSERT_LE(file.bytes.size(), 1 << 20);
    QElapsedTimer timer;
    timer.start();
    TFormList store;
    ASSERT_TRUE(store.LoadFromBytes(file.bytes)) << store.ErrorString().toStdString();
    // Linear loading takes milliseconds; looking things up one by one took tens of seconds.
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_EQ(store.Strings.size(), 4999);
    EXPECT_EQ(store.Forms[4]->Components[1999]->ItemCount(), 19);
}

TEST(LanguageFile, OnlyRegularFilesOfALanguageFilesSizeAreRead) {
    QTemporaryDir folder;
    const QString pipe = folder.filePath("pipe.lng");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QFile big(folder.filePath("big.lng"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize((1 << 20) + 1));
    big.close();
    for (const QString& path : {pipe, big.fileName(), QStringLiteral("/dev/zero"), folder.path()}) {
        TFormList store;
        EXPECT_FALSE(store.LoadFromFile(path)) << path.toStdString();
        EXPECT_TRUE(store.ErrorString().contains(path)) << store.ErrorString().toStdString();
    }
}
