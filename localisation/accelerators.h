// Accelerator ampersands: stored texts keep them out and remember the marked letter's position.
#pragma once

#include <QString>

// Takes out the first "&" that is followed by a character other than "&" and returns the 1-based
// position of the character it marked; 0 (text unchanged) when there is none.
int ExtractAccel(QString& text);

// The text with an ampersand put back before the character at `position` (1-based); unchanged when the
// position is outside the text.
QString InsertAccel(const QString& text, int position);
