// What the language-file fuzz target does with one input, shared with the regression tests that
// replay its findings: merge the bytes into a store that already holds a registered-looking window,
// check the store's invariants, and when the store can be written, read the result back.
#pragma once

#include <QByteArray>

#include "localisation/form_list.h"

namespace pw::fuzz {

// A store like one made from the program's windows, for the file to merge into.
inline void FillLanguageStore(TFormList& store) {
    TFormInfo* form = store.AddForm(nullptr);
    form->Name = QStringLiteral("Form1");
    form->ClassName = QStringLiteral("TForm1");
    form->SetSlotText(SlotCaption, QStringLiteral("Main"), true);
    TCompInfo* label = form->AddComponent(nullptr);
    label->Name = QStringLiteral("Label1");
    label->ClassName = QStringLiteral("TLabel");
    label->SetSlotText(SlotCaption, QStringLiteral("&File"), true);
    label->SetSlotText(0, QStringLiteral("Main"), true);
    label->SetSlotText(1, QStringLiteral("Two"), true);
}

// Empty when all is well, else what went wrong.
inline const char* CheckLanguageFileInput(const QByteArray& bytes) {
    TFormList store;
    FillLanguageStore(store);
    store.LoadFromBytes(bytes);
    for (const TItemString* string : store.Strings) {
        if (string->Users.isEmpty() || string->Text.isEmpty())
            return "a text without users or an empty text is left in the table";
    }
    const QByteArray written = store.SaveToBytes(QStringLiteral("fuzz.lng"));
    if (written.isEmpty())
        return store.ErrorString().isEmpty() ? "the writer failed without saying why" : nullptr;
    TFormList again;
    if (!again.LoadFromBytes(written))
        return "the reader rejects what the writer wrote";
    return nullptr;
}

} // namespace pw::fuzz
