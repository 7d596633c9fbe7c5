// The layout of language files: a signature "LFvMM.m", the language identifier, the file's own name,
// the string table, then one block per form with its component blocks. Integers are little-endian;
// short strings are a length byte and that many bytes. Text references pack a string number (1-based,
// 0 for none) with an accelerator position and the "new" flag.
#pragma once

#include <QtGlobal>

namespace language_file {

constexpr char Signature[] = "LFv01.3";
constexpr int SignatureLength = 7;

// What a reader accepts; the writer refuses a store that would exceed them.
constexpr int MaxStrings = 4999;
constexpr int MaxForms = 500;
constexpr int MaxComponents = 2000;
constexpr int MaxItems = 1000;
// The shipped files are about 4 KB; one 250 times larger is still read, and the limit keeps any file
// the reader accepts quick to load and small in memory.
constexpr qint64 MaxFileBytes = 1 << 20;
// A length byte of 255 is rejected for names and for the file-name field.
constexpr int MaxNameBytes = 254;
constexpr int MaxTextBytes = 255;

constexpr quint32 NewFlagBit = 0x80000000u;
constexpr quint32 StringNumberMask = 0x00FFFFFFu;
constexpr quint32 FormCaptionMask = 0x7FFFFFFFu;
constexpr int AccelShift = 24;
constexpr int MaxStoredAccel = 127;

// Which parts a file of a given version has.
struct Version {
    int number = 13; // major × 10 + minor
    bool LongHint() const { return number >= 11; }
    // Up to 1.1 texts keep their ampersands and references are plain string numbers.
    bool Ampersands() const { return number <= 11; }
    bool AccelBits() const { return number >= 12; }
    bool NewBits() const { return number >= 13; }
    quint32 AccelMask() const { return NewBits() ? 0x7Fu : 0xFFu; }
};

} // namespace language_file
