// The main window's texts in the current language: messages, dialog titles and filters, and the entries
// of the page lists and the texture list.
#include "app/main_window.h"
#include "app/reason_texts.h"

QString TForm1::Text(MessageText text) const {
    return MessageTexts.Text(text);
}

QString TForm1::Reason(const QString& english) const {
    return TranslatedReason(english, ReasonTexts.Texts());
}

QString TForm1::Entry(EntryText entry, int number) const {
    return EntryTexts.Text(entry).arg(number);
}

QString TForm1::PageCaption(int page, int count) const {
    return PageTexts.Text(PageText::caption).arg(page + 1).arg(count);
}

QString TForm1::StepText(HistoryStep step) const {
    const QString name = StepTexts.Text(step.kind);
    return step.page > 0 ? name.arg(step.page) : name;
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
