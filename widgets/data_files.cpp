#include "widgets/data_files.h"

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "widgets/executable_path.h"

#include <locale.h>
#include <sys/stat.h>

#ifndef PW_DATA_FROM_BIN
#define PW_DATA_FROM_BIN "../share/pagewright"
#endif

Q_LOGGING_CATEGORY(lcDataFiles, "pagewright.files", QtWarningMsg)

namespace {

bool FolderWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

// The system's reason for `error` in the untranslated C locale, like the program's other messages.
QString SystemReason(int error) {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return QString::fromLocal8Bit(c_locale ? strerror_l(error, c_locale) : std::strerror(error));
}

QString FolderFailed(const QString& folder, const QString& reason) {
    return QStringLiteral("Cannot create the folder %1: %2").arg(QDir::toNativeSeparators(folder), reason);
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

// Folder by folder from the top, so that the one that failed is the one named.
QString CreateDataFolder(const QString& folder) {
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    qsizetype from = 1;
    for (;;) {
        const qsizetype slash = path.indexOf(QLatin1Char('/'), from);
        const QString part = slash < 0 ? path : path.left(slash);
        const QByteArray name = QFile::encodeName(part);
        struct stat info {};
        if (::stat(name.constData(), &info) == 0) {
            if (!S_ISDIR(info.st_mode))
                return FolderFailed(part, QStringLiteral("a file of that name is in the way"));
        } else if (::mkdir(name.constData(), 0777) != 0 && errno != EEXIST) {
            return FolderFailed(part, SystemReason(errno));
        }
        if (slash < 0)
            return {};
        from = slash + 1;
    }
}
