#include "localisation/code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const char* CodecName(bool korean) {
    if (!korean)
        return "windows-1252";
    static const char* const korean_name = [] {
        for (const char* name : {"windows-949", "cp949", "CP949", "EUC-KR"}) {
            if (QStringDecoder(name).isValid())
                return name;
        }
        return "cp949";
    }();
    return korean_name;
}

} // namespace

QStringList MissingCodePages() {
    QStringList missing;
    for (const bool korean : {false, true}) {
        if (!QStringDecoder(CodecName(korean)).isValid())
            missing << QString::fromLatin1(CodecName(korean));
    }
    return missing;
}

TCodePage::TCodePage(quint16 lang_id)
    : korean_(lang_id == KoreanLangId), encoder_(CodecName(korean_), QStringConverter::Flag::Stateless),
      decoder_(CodecName(korean_), QStringConverter::Flag::Stateless) {}

QString TCodePage::Decode(const QByteArray& bytes) const {
    return decoder_.decode(bytes);
}

QByteArray TCodePage::EncodeCharacter(const QString& character) const {
    if (character.size() == 1 && character[0].unicode() < 0x80)
        return character.toLatin1();
    const QByteArray bytes = encoder_.encode(character);
    // A substitute that does not decode back to the character means the code page lacks it.
    if (bytes.isEmpty() || QString(decoder_.decode(bytes)) != character)
        return "?";
    return bytes;
}

QByteArray TCodePage::Encode(const QString& text, int max_bytes) const {
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray encoded = EncodeCharacter(text.mid(i, length));
        if (bytes.size() + encoded.size() > max_bytes)
            break;
        bytes += encoded;
        i += length - 1;
    }
    return bytes;
}

int TCodePage::AccelToBytes(const QString& text, int char_position) const {
    if (char_position < 1 || char_position > text.size())
        return 0;
    return static_cast<int>(Encode(text.left(char_position - 1), 0x7FFFFFFF).size()) + 1;
}

int TCodePage::AccelFromBytes(const QString& text, int byte_position) const {
    if (byte_position < 1)
        return 0;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (bytes == byte_position - 1)
            return static_cast<int>(i + 1);
        if (bytes > byte_position - 1)
            return 0;
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        bytes += EncodeCharacter(text.mid(i, length)).size();
        i += length - 1;
    }
    return 0;
}
