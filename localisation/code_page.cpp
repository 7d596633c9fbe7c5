#include "localisation/code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Windows-1252 at 0x80..0x9F, for Qt builds without the code page (0 marks the five unused bytes).
constexpr char16_t kHigh1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

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

QString Decode1252Fallback(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<quint8>(c);
        const char16_t mapped = byte >= 0x80 && byte < 0xA0 ? kHigh1252[byte - 0x80] : byte;
        text.append(QChar(mapped ? mapped : byte));
    }
    return text;
}

QByteArray Encode1252Fallback(const QString& character) {
    if (character.size() != 1)
        return "?";
    const char16_t c = character[0].unicode();
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return QByteArray(1, static_cast<char>(c));
    for (int i = 0; i < 32; ++i) {
        if (kHigh1252[i] == c)
            return QByteArray(1, static_cast<char>(0x80 + i));
    }
    return "?";
}

} // namespace

TCodePage::TCodePage(quint16 lang_id)
    : korean_(lang_id == KoreanLangId), encoder_(CodecName(korean_), QStringConverter::Flag::Stateless),
      decoder_(CodecName(korean_), QStringConverter::Flag::Stateless) {}

QString TCodePage::Decode(const QByteArray& bytes) const {
    if (!decoder_.isValid())
        return korean_ ? QString::fromLatin1(bytes) : Decode1252Fallback(bytes);
    return decoder_.decode(bytes);
}

QByteArray TCodePage::EncodeCharacter(const QString& character) const {
    if (character.size() == 1 && character[0].unicode() < 0x80)
        return character.toLatin1();
    if (!encoder_.isValid() || !decoder_.isValid())
        return korean_ ? QByteArray("?") : Encode1252Fallback(character);
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
