// Writes the seed corpus of the language-file fuzz target: stores of every shape written by the
// writer, in several languages, and the same bodies under the older signatures.
#include "fuzz/seed_folder.h"
#include "localisation/form_list.h"

namespace {

QByteArray Store(quint16 lang_id, const QString& caption) {
    TFormList store;
    store.LangId = lang_id;
    TFormInfo* form = store.AddForm(nullptr);
    form->Name = QStringLiteral("Form1");
    form->ClassName = QStringLiteral("TForm1");
    form->SetSlotText(SlotCaption, caption, true);
    TCompInfo* button = form->AddComponent(nullptr);
    button->Name = QStringLiteral("Button1");
    button->ClassName = QStringLiteral("TButton");
    button->SetSlotText(SlotCaption, QStringLiteral("&Open"), true);
    button->SetSlotText(SlotShortHint, QStringLiteral("Short"), false);
    button->SetSlotText(SlotLongHint, QStringLiteral("Long"), false);
    button->SetNew(SlotCaption, false);
    TCompInfo* list = form->AddComponent(nullptr);
    list->Name = QStringLiteral("ComboBox3");
    list->ClassName = QStringLiteral("TComboBox");
    for (const char* item : {"Opaque", "Tr&ansparent", "Semi", "&Open"})
        list->SetSlotText(list->ItemCount(), QString::fromUtf8(item), true);
    list->SetSlotText(SlotCaption, QString(130, QLatin1Char('L')), true);
    TFormInfo* other = store.AddForm(nullptr);
    other->Name = QStringLiteral("Form2");
    other->ClassName = QStringLiteral("TForm2");
    other->SetSlotText(SlotCaption, QStringLiteral("About"), true);
    return store.SaveToBytes(QStringLiteral("seed.lng"));
}

} // namespace

int main(int argc, char** argv) {
    const auto seeds = pw::fuzz::SeedFolder::FromArguments(argc, argv);
    if (!seeds)
        return 2;
    seeds->Write("french.lng", Store(0x040C, QString::fromUtf8("Données")));
    seeds->Write("korean.lng", Store(0x0412, QString::fromUtf8("파일")));
    const QByteArray body = Store(0x0407, QStringLiteral("Fenster"));
    for (const char* version : {"LFv01.0", "LFv01.1", "LFv01.2", "LFv02.0"}) {
        QByteArray old = body;
        old.replace(1, 7, version);
        seeds->Write(QStringLiteral("v%1.lng").arg(QLatin1String(version + 3)), old);
    }
    seeds->Write("empty.lng", TFormList().SaveToBytes(QStringLiteral("e.lng")));
    return 0;
}
