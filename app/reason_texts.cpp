#include "app/reason_texts.h"

#include <QRegularExpression>

namespace {

// Deep enough for "cannot read the picture %1: %2" around any other reason.
constexpr int kMostNesting = 4;

const QRegularExpression& Mark() {
    static const QRegularExpression mark(QStringLiteral("%[1-9]"));
    return mark;
}

// The pattern as an anchored expression, each %n a captured part.
QRegularExpression PatternExpression(const QString& pattern) {
    QString expression = QStringLiteral("^");
    qsizetype from = 0;
    for (auto it = Mark().globalMatch(pattern); it.hasNext();) {
        const QRegularExpressionMatch found = it.next();
        expression += QRegularExpression::escape(pattern.mid(from, found.capturedStart() - from));
        expression += QStringLiteral("(.+?)");
        from = found.capturedEnd();
    }
    expression += QRegularExpression::escape(pattern.mid(from)) + QLatin1Char('$');
    return QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption);
}

QString Translated(const QString& reason, const QStringList& translated, int depth) {
    static const QStringList english = ReasonTextPatterns();
    static const auto expressions = [] {
        QList<QRegularExpression> all;
        for (const QString& pattern : english)
            all.append(PatternExpression(pattern));
        return all;
    }();
    if (depth > kMostNesting)
        return reason;
    for (qsizetype i = 0; i < expressions.size() && i < translated.size(); ++i) {
        const QRegularExpressionMatch match = expressions[i].match(reason);
        if (!match.hasMatch())
            continue;
        // What was filled in for each %n of the English pattern.
        QString parts[10];
        int occurrence = 0;
        for (auto it = Mark().globalMatch(english[i]); it.hasNext();)
            parts[it.next().captured().back().digitValue()] = match.captured(++occurrence);
        // One pass over the translated pattern, so that a filled-in part is never filled into again.
        const QString& pattern = translated[i];
        QString text;
        qsizetype from = 0;
        for (auto it = Mark().globalMatch(pattern); it.hasNext();) {
            const QRegularExpressionMatch found = it.next();
            text += pattern.mid(from, found.capturedStart() - from);
            const int part = found.captured().back().digitValue();
            text += parts[part].isNull() ? found.captured() : Translated(parts[part], translated, depth + 1);
            from = found.capturedEnd();
        }
        return text + pattern.mid(from);
    }
    return reason;
}

} // namespace

QStringList ReasonTextPatterns() {
    return {QStringLiteral("%1 is %2 x %3; a page picture is 256 x 256"),
            QStringLiteral("%1 is not a PNG picture"),
            QStringLiteral("%1: no page can be added to the level"),
            QStringLiteral("%1 would leave page %2 out: there is no %3"),
            QStringLiteral("%1 would make page %2; a level holds at most %3 pages"),
            QStringLiteral("file not found: %1"),
            QStringLiteral("%1 is a folder, not a picture"),
            QStringLiteral("cannot read the picture %1: %2"),
            QStringLiteral("it is not a regular file"),
            QStringLiteral("the file is shorter than its header says"),
            QStringLiteral("its pixels use palette entries up to %1, past the %2 colours of its table"),
            QStringLiteral("it is too large to read"),
            QStringLiteral("it is too large to read in parts"),
            QStringLiteral("a part of it cannot be decoded"),
            QStringLiteral("there is not enough memory for it"),
            QStringLiteral("its header is damaged"),
            QStringLiteral("it is not a PNG file"),
            QStringLiteral("it is wider than a picture of pages can be")};
}

QString TranslatedReason(const QString& reason, const QStringList& translated) {
    return Translated(reason, translated, 0);
}
