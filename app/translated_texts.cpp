// The main window's texts in the current language: messages, dialog titles and filters, and the entries
// of the page lists and the texture list.
#include "app/main_window.h"
#include "app/reason_texts.h"
#include "widgets/translated_pattern.h"

QString TForm1::Text(MessageText text) const {
    const int index = static_cast<int>(text);
    return TranslatedPattern(MessageTexts, index, MessageTextPatterns().value(index));
}

QString TForm1::Reason(const QString& english) const {
    const QStringList patterns = ReasonTextPatterns();
    QStringList translated;
    for (int i = 0; i < patterns.size(); ++i)
        translated.append(TranslatedPattern(ReasonTexts, i, patterns[i]));
    return TranslatedReason(english, translated);
}

QString TForm1::Entry(EntryText entry, int number) const {
    const int index = static_cast<int>(entry);
    return TranslatedPattern(EntryTexts, index, EntryTextPatterns().value(index)).arg(number);
}

QStringList TForm1::PageEntries(int count) const {
    QStringList pages;
    for (int i = 1; i <= count; ++i)
        pages.append(Entry(EntryText::page, i));
    return pages;
}

QString TForm1::FilterEntry(MessageText name, const QString& shown, const QString& patterns) const {
    return Text(name) + QStringLiteral(" (") + shown + QStringLiteral(")|") + patterns;
}

// The lists keep their selection; only the texts change.
void TForm1::ShowListEntries() {
    for (auto [list, count] : {std::pair{ComboBox1, doc_.HasLevel() ? doc_.Level().num_pages : 0},
                               std::pair{ComboBox2, doc_.Source().PageCount()}}) {
        const int selected = list->ItemIndex();
        list->Items()->Assign(PageEntries(count));
        list->SetItemIndex(selected);
    }
    Table->ShowLines();
}
