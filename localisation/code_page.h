// Texts of language files are 8-bit, in the Windows code page of the file's language: Korean in code
// page 949, every other language in Windows-1252. Inside the program they are QString.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

class TCodePage {
public:
    explicit TCodePage(quint16 lang_id);

    QString Decode(const QByteArray& bytes) const;
    // At most `max_bytes` bytes, never splitting a character; a character the code page cannot hold
    // becomes "?".
    QByteArray Encode(const QString& text, int max_bytes) const;

    // Accelerator positions (1-based, 0 for none) as stored count bytes of the encoded text; inside the
    // program they count characters. A position that is not on a character boundary converts to 0.
    int AccelToBytes(const QString& text, int char_position) const;
    int AccelFromBytes(const QString& text, int byte_position) const;

private:
    QByteArray EncodeCharacter(const QString& character) const;

    bool korean_;
    // Valid wherever the program runs: it refuses to start on a Qt that lacks a code page.
    mutable QStringEncoder encoder_;
    mutable QStringDecoder decoder_;
};

constexpr quint16 KoreanLangId = 0x0412;

// The code pages of language files that this Qt cannot convert (Qt built without ICU); the program
// does not start without them.
QStringList MissingCodePages();
