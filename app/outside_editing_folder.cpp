#include "app/outside_editing_folder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

// The list of the names the program wrote, kept in the folder itself.
const QString kWrittenList = QStringLiteral(".pagewright-written");
constexpr qint64 kMaxListBytes = 1 << 20;

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

// The folder `path` itself (not a link), a folder, and this user's.
bool OwnFolder(const QString& path, struct stat& info) {
    return lstat(Native(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid();
}

pw::Result Refuse(const QString& folder, const QString& why) {
    return {pw::Status::file_error,
            QStringLiteral("cannot use the folder %1: %2").arg(folder, why).toStdString()};
}

// Removes `names` from the folder `path` (the folder with the device and inode given, entered without
// following a link, so that a folder swapped for a link loses nothing), then the folder if it is empty.
// True when the folder is gone.
bool RemoveWritten(const QString& path, dev_t device, ino_t inode, const QStringList& names) {
    const int dir = open(Native(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0)
        return errno == ENOENT;
    struct stat info {};
    const bool same = fstat(dir, &info) == 0 && info.st_dev == device && info.st_ino == inode;
    if (same)
        for (const QString& name : names)
            if (!name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QStringLiteral(".") &&
                name != QStringLiteral(".."))
                unlinkat(dir, Native(name).constData(), 0);
    close(dir);
    return same && rmdir(Native(path).constData()) == 0;
}

QStringList WrittenList(const QString& folder) {
    const int fd = open(Native(QDir(folder).filePath(kWrittenList)).constData(),
                        O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    QStringList names;
    struct stat info {};
    QFile file;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxListBytes &&
        file.open(fd, QIODevice::ReadOnly))
        names = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    file.close();
    close(fd);
    return names;
}

bool ProcessGone(pid_t pid) {
    return pid > 0 && pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

pw::Result OutsideWorkingFolder::Make() {
    struct stat info {};
    if (!path_.isEmpty() && OwnFolder(path_, info) && info.st_dev == device_ && info.st_ino == inode_)
        return {};
    path_.clear();
    written_.clear();
    QDir().mkpath(root_);
    if (!OwnFolder(root_, info))
        return Refuse(root_, QStringLiteral("it is not a folder of this user"));
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = QStringLiteral("%1-%2").arg(getpid()).arg(
            QRandomGenerator::system()->generate64() & 0xFFFFFFFFFFFFull, 12, 16, QLatin1Char('0'));
        const QString path = QDir(root_).filePath(name);
        if (mkdir(Native(path).constData(), 0700) != 0) {
            if (errno == EEXIST)
                continue; // taken, by a folder or a link: never used
            return Refuse(path, QString::fromLocal8Bit(strerror(errno)));
        }
        if (chmod(Native(path).constData(), 0700) != 0 || !OwnFolder(path, info))
            return Refuse(path, QStringLiteral("it cannot be made private"));
        path_ = path;
        device_ = info.st_dev;
        inode_ = info.st_ino;
        return {};
    }
    return Refuse(root_, QStringLiteral("no new folder could be made in it"));
}

void OutsideWorkingFolder::Wrote(const QString& name) {
    if (path_.isEmpty() || !written_.insert(name).second)
        return;
    QFile list(QDir(path_).filePath(kWrittenList));
    if (list.open(QIODevice::WriteOnly | QIODevice::Append))
        list.write((name + QLatin1Char('\n')).toUtf8());
}

QString OutsideWorkingFolder::Clear() {
    if (path_.isEmpty())
        return {};
    QStringList names(written_.begin(), written_.end());
    names << kWrittenList;
    written_.clear();
    if (RemoveWritten(path_, device_, inode_, names)) {
        path_.clear();
        return {};
    }
    struct stat info {};
    if (!OwnFolder(path_, info) || info.st_dev != device_ || info.st_ino != inode_) {
        path_.clear(); // taken away or replaced: nothing of ours is in it
        return {};
    }
    return path_;
}

QStringList OutsideWorkingFolder::ClearStale(const QString& root) {
    static const QRegularExpression kName(QStringLiteral("^([0-9]{1,9})-[0-9a-f]{12}$"));
    QStringList stay;
    struct stat info {};
    if (!OwnFolder(root, info))
        return stay;
    const QStringList entries = QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                     QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& name : entries) {
        const QRegularExpressionMatch match = kName.match(name);
        const QString path = QDir(root).filePath(name);
        if (!match.hasMatch() || !ProcessGone(static_cast<pid_t>(match.captured(1).toInt())) ||
            !OwnFolder(path, info))
            continue;
        QStringList names = WrittenList(path);
        names << kWrittenList;
        if (!RemoveWritten(path, info.st_dev, info.st_ino, names))
            stay << path;
    }
    return stay;
}
