// Texts the program fills in while it runs ("Page#%1", "Save changes to %1?") are kept as patterns in
// hidden lists of their window, so that a language file translates them like any other list.
#pragma once

#include <QString>

class TListBox;

// Entry `index` of `texts`, or `english` when the list has no such entry, the entry is empty, or it does not
// carry exactly the placeholders (%1 to %9) that `english` carries: a translation that drops a number or a
// file name shows the English text rather than losing it.
QString TranslatedPattern(const TListBox* texts, int index, const QString& english);
