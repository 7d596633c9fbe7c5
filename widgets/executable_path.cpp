#include "widgets/executable_path.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString& Override() {
    static QString path;
    return path;
}

QString ExecutablePath() {
    return Override().isEmpty() ? QCoreApplication::applicationFilePath() : Override();
}

} // namespace

QString ExecutableFolder() {
    return QFileInfo(ExecutablePath()).absolutePath();
}

QString ExecutableBaseName() {
    return QFileInfo(ExecutablePath()).completeBaseName();
}

void OverrideExecutablePath(const QString& path) {
    Override() = path;
}
