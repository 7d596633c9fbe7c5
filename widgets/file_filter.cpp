#include "widgets/file_filter.h"

#include <QStringList>

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the last parentheses of the entry.
        entries.append(parts.at(i) + QLatin1String(" (") + patterns + QLatin1Char(')'));
    }
    return entries.join(QLatin1String(";;"));
}

QString SingleSuffix(const QString& qt_entry) {
    const qsizetype open = qt_entry.lastIndexOf(QLatin1Char('('));
    const qsizetype close = qt_entry.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return {};
    const QString pattern = qt_entry.mid(open + 1, close - open - 1).trimmed();
    if (!pattern.startsWith(QLatin1String("*.")) || pattern.contains(QLatin1Char(' ')))
        return {};
    const QString suffix = pattern.mid(2);
    return suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')) ? QString() : suffix;
}

QString TypedNameSuffix(const QString& chosen_entry, const QString& default_suffix) {
    const QString suffix = SingleSuffix(chosen_entry);
    return suffix.isEmpty() ? default_suffix : suffix;
}
