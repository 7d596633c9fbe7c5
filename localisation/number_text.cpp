#include "localisation/number_text.h"

#include <QLocale>
#include <QRegularExpression>

bool IsNumberText(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    if (number.match(text).hasMatch())
        return true;
    const QString separator = QLocale().decimalPoint();
    if (separator == QLatin1String(".") || !text.contains(separator))
        return false;
    QString replaced = text;
    return !replaced.contains(QLatin1Char('.')) &&
           number.match(replaced.replace(separator, QLatin1String("."))).hasMatch();
}
