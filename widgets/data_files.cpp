#include "widgets/data_files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "widgets/executable_path.h"

#ifndef PW_DATA_FROM_BIN
#define PW_DATA_FROM_BIN "../share/pagewright"
#endif

Q_LOGGING_CATEGORY(lcDataFiles, "pagewright.files", QtWarningMsg)

namespace {

bool FolderWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

} // namespace

QString UserDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/pagewright");
}

QString InstalledDataFolder() {
    return QDir::cleanPath(ExecutableFolder() + QStringLiteral("/" PW_DATA_FROM_BIN));
}

QStringList DataSearchFolders() {
    QStringList folders{UserDataFolder(), ExecutableFolder(), InstalledDataFolder()};
    folders.removeDuplicates();
    return folders;
}

QString FindDataFile(const QString& name) {
    for (const QString& folder : DataSearchFolders()) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString WritableDataFile(const QString& name) {
    // An installed program (one with a data folder) never writes beside itself, even when it could (root).
    const QString users = QDir(UserDataFolder()).filePath(name);
    const bool portable = !QFileInfo(InstalledDataFolder()).isDir();
    if (portable && !QFileInfo(users).isFile() && FolderWritable(ExecutableFolder()))
        return QDir(ExecutableFolder()).filePath(name);
    QDir().mkpath(UserDataFolder());
    return users;
}
