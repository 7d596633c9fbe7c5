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
