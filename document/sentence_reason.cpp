#include "document/sentence_reason.h"

#include <QString>

pw::Result AsSentence(pw::Result result) {
    QString reason = QString::fromStdString(result.reason);
    if (!reason.isEmpty())
        reason[0] = reason[0].toUpper();
    result.reason = reason.toStdString();
    return result;
}
