// The five most recent level files: kept most recent first, shown in the File menu items None1 to
// None5, and opened again from there.
#include "app/recent_files.h"

#include <algorithm>
#include <array>

#include <QAction>

#include "app/main_window.h"

namespace {

// A control or direction-changing character of a path (a line break, an escape, a right-to-left
// override) shows as its code, "\x0A", so that the entry reads as the path it is.
QString Escaped(QChar c) {
    const bool control = c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
    if (!control)
        return QString(c);
    const int digits = c.unicode() <= 0xFF ? 2 : 4;
    return (digits == 2 ? QStringLiteral("\\x") : QStringLiteral("\\u")) +
           QString::number(c.unicode(), 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

// The menu would take an "&" of a path for an access key; doubled, it shows as itself.
QString MenuText(const QString& path) {
    QString text;
    for (const QChar c : path)
        text += c == QLatin1Char('&') ? QStringLiteral("&&") : Escaped(c);
    return text;
}

} // namespace

std::array<TMenuItem*, kMaxRecentFiles> TForm1::RecentFileItems() const {
    return {None1, None2, None3, None4, None5};
}

QStringList WithRecentFile(QStringList files, const QString& path) {
    const auto same = [&path](const QString& entry) { return entry.compare(path, Qt::CaseInsensitive) == 0; };
    files.erase(std::remove_if(files.begin(), files.end(), same), files.end());
    files.prepend(path);
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    return files;
}

void TForm1::AddRecentFile(const QString& path) {
    RecentFiles = WithRecentFile(RecentFiles, path);
    ShowRecentFiles();
}

// Items beyond the list keep their caption and do nothing when clicked.
void TForm1::ShowRecentFiles() {
    const auto items = RecentFileItems();
    const int shown = static_cast<int>(std::min<qsizetype>(RecentFiles.size(), kMaxRecentFiles));
    for (int i = 0; i < shown; ++i) {
        TMenuItem* item = items[static_cast<std::size_t>(i)];
        item->SetCaption(RecentFiles.at(i));
        item->Action()->setText(MenuText(RecentFiles.at(i)));
        item->OnClick = [this, item] { RecentFileClick(item); };
    }
}

// The path is taken from RecentFiles by the item's position, not from its caption, which a language
// may have replaced.
void TForm1::RecentFileClick(TMenuItem* sender) {
    const auto items = RecentFileItems();
    const auto at = std::find(items.begin(), items.end(), sender);
    const auto index = static_cast<qsizetype>(at - items.begin());
    if (at == items.end() || index >= RecentFiles.size())
        return;
    // A copy: opening the file reorders the list.
    const QString path = RecentFiles.at(index);
    if (SaveChangesFirst())
        OpenLevelFile(path);
}
