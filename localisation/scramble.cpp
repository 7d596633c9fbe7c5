#include "localisation/scramble.h"

namespace {

// The length byte is tested as a signed 8-bit number: 128 and more count as negative.
bool Scrambled(const QByteArray& text) {
    return !text.isEmpty() && text.size() <= 127;
}

} // namespace

QByteArray ScrambleString(const QByteArray& text) {
    if (!Scrambled(text))
        return text;
    QByteArray stored = text;
    const auto first = static_cast<quint8>(static_cast<quint8>(text[0]) - 31);
    stored[0] = static_cast<char>(first);
    for (qsizetype i = 1; i < stored.size(); ++i)
        stored[i] = static_cast<char>(static_cast<quint8>(text[i]) - first);
    return stored;
}

QByteArray UnscrambleString(const QByteArray& stored) {
    if (!Scrambled(stored))
        return stored;
    QByteArray text = stored;
    const auto first = static_cast<quint8>(stored[0]);
    for (qsizetype i = 1; i < text.size(); ++i)
        text[i] = static_cast<char>(static_cast<quint8>(stored[i]) + first);
    text[0] = static_cast<char>(first + 31);
    return text;
}
