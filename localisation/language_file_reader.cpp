#include "localisation/language_file_reader.h"

#include "localisation/code_page.h"
#include "localisation/form_list.h"
#include "localisation/scramble.h"

using namespace language_file;

bool LanguageFileReader::Fail(const QString& why) {
    store_.SetError(why);
    return false;
}

bool LanguageFileReader::ReadByte(quint8& value) {
    if (pos_ >= bytes_.size())
        return Fail(QStringLiteral("The language file ends early (offset %1).").arg(pos_));
    value = static_cast<quint8>(bytes_[pos_++]);
    return true;
}

bool LanguageFileReader::ReadWord(quint32& value) {
    if (bytes_.size() - pos_ < 4)
        return Fail(QStringLiteral("The language file ends early (offset %1).").arg(pos_));
    value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<quint32>(static_cast<quint8>(bytes_[pos_ + i])) << (8 * i);
    pos_ += 4;
    return true;
}

// Counts are signed: a negative one is as invalid as one above the limit.
bool LanguageFileReader::ReadCount(int limit, const char* what, int& count) {
    quint32 word = 0;
    if (!ReadWord(word))
        return false;
    const auto value = static_cast<qint32>(word);
    if (value < 0 || value > limit)
        return Fail(QStringLiteral("The language file holds an invalid %1 count (%2; at most %3).")
                        .arg(QLatin1String(what))
                        .arg(value)
                        .arg(limit));
    count = value;
    return true;
}

bool LanguageFileReader::ReadShortString(QByteArray& bytes) {
    quint8 length = 0;
    if (!ReadByte(length))
        return false;
    if (bytes_.size() - pos_ < length)
        return Fail(QStringLiteral("The language file ends early (offset %1).").arg(pos_));
    bytes = bytes_.mid(pos_, length);
    pos_ += length;
    return true;
}

bool LanguageFileReader::ReadName(QString& name) {
    if (pos_ < bytes_.size() && static_cast<quint8>(bytes_[pos_]) == 255)
        return Fail(QStringLiteral("The language file holds an invalid name (offset %1).").arg(pos_));
    QByteArray bytes;
    if (!ReadShortString(bytes))
        return false;
    name = TCodePage(store_.LangId).Decode(UnscrambleString(bytes));
    return true;
}

void LanguageFileReader::FlagEverythingNew() {
    for (TFormInfo* form : std::as_const(store_.Forms)) {
        form->SetNew(SlotCaption, true);
        for (TCompInfo* component : std::as_const(form->Components)) {
            for (int slot = SlotLongHint; slot < component->ItemCount(); ++slot)
                component->SetNew(slot, true);
        }
    }
}

bool LanguageFileReader::ReadHeader() {
    // Length byte 7, "LFv", two digits, ".", one digit.
    if (bytes_.size() < 1 + SignatureLength || bytes_[0] != SignatureLength)
        return Fail(QStringLiteral("This is not a language file."));
    const QByteArray signature = bytes_.mid(1, SignatureLength);
    const auto digit = [&](int i) { return signature[i] >= '0' && signature[i] <= '9'; };
    if (!signature.startsWith("LFv") || !digit(3) || !digit(4) || signature[5] != '.' || !digit(6))
        return Fail(QStringLiteral("This is not a language file."));
    pos_ = 1 + SignatureLength;
    version_.number = ((signature[3] - '0') * 10 + (signature[4] - '0')) * 10 + (signature[6] - '0');

    quint8 low = 0;
    quint8 high = 0;
    if (!ReadByte(low) || !ReadByte(high))
        return false;
    store_.LangId = static_cast<quint16>(low | (high << 8));
    code_page_ = TCodePage(store_.LangId);
    if (pos_ < bytes_.size() && static_cast<quint8>(bytes_[pos_]) == 255)
        return Fail(QStringLiteral("The language file holds an invalid file name."));
    QByteArray file_name;
    return ReadShortString(file_name);
}

bool LanguageFileReader::ReadStrings() {
    int count = 0;
    if (!ReadCount(MaxStrings, "string", count))
        return false;
    for (int i = 0; i < count; ++i) {
        QByteArray bytes;
        if (!ReadShortString(bytes))
            return false;
        strings_.append(code_page_.Decode(UnscrambleString(bytes)));
    }
    return true;
}

// Sets a slot from a reference word when its string number names a string of the file; any other
// number leaves the slot as it was (and flagged new).
void LanguageFileReader::StoreText(TCompInfo* record, int slot, quint32 word, bool with_accel) {
    quint32 number = word & StringNumberMask;
    if (with_accel && !version_.AccelBits())
        number = word;
    if (number < 1 || number > static_cast<quint32>(strings_.size()))
        return;
    // Item slots are appended one at a time: a slot beyond the next one is not reached.
    if (slot >= 0 && slot > record->ItemCount())
        return;
    record->StoreSlotText(slot, strings_[static_cast<int>(number - 1)], with_accel && version_.Ampersands(),
                          false);
    if (with_accel && version_.AccelBits()) {
        const int stored = static_cast<int>((word >> AccelShift) & version_.AccelMask());
        record->SetAccel(slot, code_page_.AccelFromBytes(strings_[static_cast<int>(number - 1)], stored));
    }
    if (version_.NewBits())
        record->SetNew(slot, (word & NewFlagBit) != 0);
}

bool LanguageFileReader::ReadComponentTexts(TCompInfo* record) {
    quint32 caption = 0;
    quint32 short_hint = 0;
    quint32 long_hint = 0;
    if (!ReadWord(caption) || !ReadWord(short_hint))
        return false;
    if (version_.LongHint() && !ReadWord(long_hint))
        return false;
    int items = 0;
    if (!ReadCount(MaxItems, "item", items))
        return false;
    StoreText(record, SlotCaption, caption, true);
    StoreText(record, SlotShortHint, short_hint, false);
    StoreText(record, SlotLongHint, long_hint, false);
    for (int k = 0; k < items; ++k) {
        quint32 item = 0;
        if (!ReadWord(item))
            return false;
        StoreText(record, k, item, true);
    }
    return true;
}

bool LanguageFileReader::ReadComponent(TFormInfo* form) {
    QString name;
    QString class_name;
    if (!ReadName(name) || !ReadName(class_name))
        return false;
    TCompInfo* record = components_.value(name, nullptr);
    const bool appended = !record;
    if (appended) {
        record = form->AddComponent(nullptr);
        components_.insert(name, record);
    }
    record->Name = name;
    record->ClassName = class_name;
    const bool ok = ReadComponentTexts(record);
    // A component only the file knows, given no text, leaves nothing behind.
    if (appended && !record->HasText()) {
        components_.remove(name);
        form->RemoveComponent(record);
    }
    return ok;
}

bool LanguageFileReader::ReadComponents(TFormInfo* form) {
    components_.clear();
    for (TCompInfo* record : std::as_const(form->Components))
        if (!components_.contains(record->Name))
            components_.insert(record->Name, record);
    int count = 0;
    if (!ReadCount(MaxComponents, "component", count))
        return false;
    for (int i = 0; i < count; ++i) {
        if (!ReadComponent(form))
            return false;
    }
    return true;
}

bool LanguageFileReader::ReadForm() {
    QString name;
    QString class_name;
    if (!ReadName(name) || !ReadName(class_name))
        return false;
    TFormInfo* form = store_.FindFormClass(class_name);
    if (!form)
        form = store_.AddForm(nullptr);
    form->Name = name;
    form->ClassName = class_name;
    quint32 caption = 0;
    if (!ReadWord(caption))
        return false;
    const quint32 number = version_.NewBits() ? caption & FormCaptionMask : caption;
    if (number >= 1 && number <= static_cast<quint32>(strings_.size())) {
        form->StoreSlotText(SlotCaption, strings_[static_cast<int>(number - 1)], version_.Ampersands(),
                            false);
        if (version_.NewBits())
            form->SetNew(SlotCaption, (caption & NewFlagBit) != 0);
    }
    return ReadComponents(form);
}

bool LanguageFileReader::Read() {
    FlagEverythingNew();
    if (!ReadHeader() || !ReadStrings())
        return false;
    int forms = 0;
    if (!ReadCount(MaxForms, "form", forms))
        return false;
    for (int i = 0; i < forms; ++i) {
        if (!ReadForm())
            return false;
    }
    return true;
}
