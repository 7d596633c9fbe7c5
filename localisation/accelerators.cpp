#include "localisation/accelerators.h"

int ExtractAccel(QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && text[i + 1] != QLatin1Char('&')) {
            text.remove(i, 1);
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

QString InsertAccel(const QString& text, int position) {
    if (position < 1 || position > text.size())
        return text;
    QString result = text;
    result.insert(position - 1, QLatin1Char('&'));
    return result;
}
