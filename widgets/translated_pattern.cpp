#include "widgets/translated_pattern.h"

#include <bitset>

#include "widgets/t_list_box.h"
#include "widgets/t_strings.h"

namespace {

// Which of %1 to %9 the text holds.
std::bitset<10> Placeholders(const QString& text) {
    std::bitset<10> found;
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i] == QLatin1Char('%') && text[i + 1] >= QLatin1Char('1') && text[i + 1] <= QLatin1Char('9'))
            found.set(static_cast<std::size_t>(text[i + 1].unicode() - '0'));
    return found;
}

} // namespace

QString TranslatedPattern(const TListBox* texts, int index, const QString& english) {
    if (!texts || index < 0 || index >= texts->Items()->Count())
        return english;
    const QString translated = texts->Items()->Strings(index);
    return !translated.isEmpty() && Placeholders(translated) == Placeholders(english) ? translated : english;
}
