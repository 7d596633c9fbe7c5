#include "localisation/language_file_writer.h"

#include "localisation/form_list.h"
#include "localisation/scramble.h"

using namespace language_file;

LanguageFileWriter::LanguageFileWriter(const TFormList& store) : store_(store), code_page_(store.LangId) {}

bool LanguageFileWriter::Written(const TCompInfo* record) {
    return !record->Name.isEmpty() &&
           (record->GetSlotString(SlotCaption) || record->GetSlotString(SlotShortHint) ||
            record->GetSlotString(SlotLongHint) || record->ItemCount() > 0);
}

bool LanguageFileWriter::CheckLimits(QString& error) const {
    const QString refused = QStringLiteral("The language file cannot be written: ");
    if (store_.Strings.size() > MaxStrings) {
        error = refused + QStringLiteral("it would hold %1 texts, more than %2.")
                              .arg(store_.Strings.size())
                              .arg(MaxStrings);
        return false;
    }
    if (store_.Forms.size() > MaxForms) {
        error =
            refused +
            QStringLiteral("it would hold %1 windows, more than %2.").arg(store_.Forms.size()).arg(MaxForms);
        return false;
    }
    for (const TFormInfo* form : store_.Forms) {
        int written = 0;
        for (const TCompInfo* record : form->Components) {
            if (!Written(record))
                continue;
            ++written;
            if (record->ItemCount() > MaxItems) {
                error = refused + QStringLiteral("%1.%2 has %3 list entries, more than %4.")
                                      .arg(form->Name, record->Name)
                                      .arg(record->ItemCount())
                                      .arg(MaxItems);
                return false;
            }
        }
        if (written > MaxComponents) {
            error = refused + QStringLiteral("window %1 has %2 components, more than %3.")
                                  .arg(form->Name)
                                  .arg(written)
                                  .arg(MaxComponents);
            return false;
        }
    }
    return true;
}

void LanguageFileWriter::WriteWord(quint32 value) {
    for (int i = 0; i < 4; ++i)
        out_.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void LanguageFileWriter::WriteShortString(const QByteArray& bytes) {
    out_.append(static_cast<char>(bytes.size()));
    out_.append(bytes);
}

void LanguageFileWriter::WriteName(const QString& name) {
    WriteShortString(ScrambleString(code_page_.Encode(name, MaxNameBytes)));
}

// String number in the low bits, the accelerator (positions beyond what the bits hold count as none)
// and the new flag in the top bit.
quint32 LanguageFileWriter::Reference(const TCompInfo* record, int slot, bool with_accel) const {
    quint32 word = static_cast<quint32>(numbers_.value(record->GetSlotString(slot), 0));
    const TItemString* text = record->GetSlotString(slot);
    const int accel = with_accel && text ? code_page_.AccelToBytes(text->Text, record->GetAccel(slot)) : 0;
    if (accel > 0 && accel <= MaxStoredAccel)
        word |= static_cast<quint32>(accel) << AccelShift;
    if (record->IsNew(slot))
        word |= NewFlagBit;
    return word;
}

void LanguageFileWriter::WriteComponent(const TCompInfo* record) {
    WriteName(record->Name);
    WriteName(record->ClassName);
    WriteWord(Reference(record, SlotCaption, true));
    WriteWord(Reference(record, SlotShortHint, false));
    WriteWord(Reference(record, SlotLongHint, false));
    WriteWord(static_cast<quint32>(record->ItemCount()));
    for (int k = 0; k < record->ItemCount(); ++k)
        WriteWord(Reference(record, k, true));
}

void LanguageFileWriter::WriteForm(const TFormInfo* form) {
    WriteName(form->Name);
    WriteName(form->ClassName);
    // The form block has no accelerator bits.
    WriteWord(Reference(form, SlotCaption, false));
    qint32 count = 0;
    for (const TCompInfo* record : form->Components)
        count += Written(record) ? 1 : 0;
    WriteWord(static_cast<quint32>(count));
    for (const TCompInfo* record : form->Components) {
        if (Written(record))
            WriteComponent(record);
    }
}

QByteArray LanguageFileWriter::Write(const QString& file_name, QString& error) {
    if (!CheckLimits(error))
        return {};
    out_.clear();
    out_.append(static_cast<char>(SignatureLength));
    out_.append(Signature, SignatureLength);
    out_.append(static_cast<char>(store_.LangId & 0xFF));
    out_.append(static_cast<char>(store_.LangId >> 8));
    WriteShortString(code_page_.Encode(file_name, MaxNameBytes));
    WriteWord(static_cast<quint32>(store_.Strings.size()));
    numbers_.clear();
    for (const TItemString* string : store_.Strings) {
        numbers_.insert(string, static_cast<int>(numbers_.size()) + 1);
        WriteShortString(ScrambleString(code_page_.Encode(string->Text, MaxTextBytes)));
    }
    WriteWord(static_cast<quint32>(store_.Forms.size()));
    for (const TFormInfo* form : store_.Forms)
        WriteForm(form);
    return out_;
}
