// The light obfuscation of the short strings of language files. A text of 1 to 127 bytes keeps its
// first byte minus 31, and every later byte minus that stored first byte (all modulo 256); texts of 0 or
// of 128 and more bytes are stored as they are.
#pragma once

#include <QByteArray>

QByteArray ScrambleString(const QByteArray& text);
QByteArray UnscrambleString(const QByteArray& stored);
