// Whether a text shows a number rather than words: such captions (a label showing 12.5) are data.
#pragma once

#include <QString>

// Decimal floating-point syntax (sign, digits, one decimal point, exponent), with "." or the user's
// decimal separator as the point; blanks around it are allowed.
bool IsNumberText(const QString& text);
