#include "app/outside_editing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "document/level_document.h"
#include "pictures/page_folder.h"

namespace {

// Closes a file descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            close(fd);
    }
};

// Reads the `size` bytes of a regular file; what is there when it is shorter, one byte more when it
// has grown meanwhile.
QByteArray ReadAll(int fd, qint64 size) {
    QByteArray bytes(size + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = read(fd, bytes.data() + got, static_cast<std::size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

bool IsProgramFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

OutsideEditing::OutsideEditing(LevelDocument& document, QObject* parent, const QString& root)
    : QObject(parent), doc_(document),
      root_(root.isEmpty() ? QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
                                 .filePath(QStringLiteral("outside"))
                           : root),
      folder_(root_) {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &OutsideEditing::FileChanged);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &OutsideEditing::FolderChanged);
    // Another level, or none: the pictures out belong to the one that was open.
    connect(&doc_, &LevelDocument::LevelReplaced, this, &OutsideEditing::Stop);
}

OutsideEditing::~OutsideEditing() {
    blockSignals(true); // the window that would show what stays is going away
    Stop();
}

QString OutsideEditing::PagePath(int page) const {
    return QDir(folder_.Path()).filePath(PagePictureName(doc_.LevelFileName(), page));
}

pw::Result OutsideEditing::Start(int page, pw::PagePictureDepth depth) {
    if (pw::Result made = folder_.Make(); !made)
        return made;
    const QString folder = folder_.Path();
    const QString name = PagePictureName(doc_.LevelFileName(), page);
    const QString path = QDir(folder).filePath(name);
    if (pages_.contains(page))
        watcher_.removePath(path); // written anew below: not a save of the editor
    folder_.Wrote(name);
    if (pw::Result written = WritePagePicture(doc_.Level(), page, depth, path); !written)
        return written;
    Watched& watched = pages_[page];
    watched.path = path;
    watched.depth = depth;
    watched.refused.clear();
    watched.stamp = StampOf(path);
    if (!watched.settle) {
        watched.settle = std::make_unique<QTimer>();
        watched.settle->setSingleShot(true);
        connect(watched.settle.get(), &QTimer::timeout, this, [this, page] { Settled(page); });
    }
    watched.settle->stop();
    watcher_.addPath(folder);
    watcher_.addPath(path);
    return {};
}

QStringList OutsideEditing::SplitCommand(const QString& command) {
    const QString whole = command.trimmed();
    if (whole.isEmpty())
        return {};
    if (IsProgramFile(whole))
        return {whole};
    QStringList words;
    QString word;
    bool in_word = false;
    QChar quote;
    for (const QChar c : whole) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                word += c;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            in_word = true;
        } else if (c.isSpace()) {
            if (in_word)
                words << word;
            word.clear();
            in_word = false;
        } else {
            word += c;
            in_word = true;
        }
    }
    if (in_word)
        words << word;
    // The settings file takes the quotes off a value that starts with them: a program path with spaces
    // comes back as several words.
    for (qsizetype n = words.size(); n > 1; --n) {
        const QString program = words.first(n).join(QLatin1Char(' '));
        if (IsProgramFile(program))
            return QStringList{program} + words.sliced(n);
    }
    return words;
}

bool OutsideEditing::Open(const QString& path, const QString& command) {
    if (command.trimmed().isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    QStringList arguments = SplitCommand(command);
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    arguments << path;
    return QProcess::startDetached(program, arguments);
}

void OutsideEditing::Stop() {
    for (auto& [page, watched] : pages_)
        watched.settle->stop();
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    pages_.clear();
    const QString left = folder_.Clear();
    if (!left.isEmpty())
        emit FilesLeft(left);
}

void OutsideEditing::ClearStaleFolders() {
    for (const QString& left : OutsideWorkingFolder::ClearStale(root_))
        emit FilesLeft(left);
}

int OutsideEditing::PageOf(const QString& path) const {
    for (const auto& [page, watched] : pages_)
        if (watched.path == path)
            return page;
    return -1;
}

OutsideEditing::Stamp OutsideEditing::StampOf(const QString& path) {
    struct stat info {};
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {static_cast<qint64>(info.st_size),
            static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            static_cast<qint64>(info.st_ino)};
}

void OutsideEditing::StartSettling(Watched& watched) {
    watched.stamp = StampOf(watched.path);
    watched.settle->start(settle_ms_);
}

// The settle time has passed: the file is read if it stayed as it was, else it is given another.
void OutsideEditing::Settled(int page) {
    const auto found = pages_.find(page);
    if (found == pages_.end())
        return;
    Watched& watched = found->second;
    if (StampOf(watched.path) != watched.stamp) {
        StartSettling(watched);
        return;
    }
    CheckPage(page);
}

void OutsideEditing::FileChanged(const QString& path) {
    const int page = PageOf(path);
    if (page < 0)
        return;
    // A file replaced by a rename is no longer watched; it is watched again once it is back.
    if (QFileInfo::exists(path) && !watcher_.files().contains(path))
        watcher_.addPath(path);
    StartSettling(pages_[page]);
}

void OutsideEditing::FolderChanged() {
    for (auto& [page, watched] : pages_) {
        if (QFileInfo::exists(watched.path) && !watcher_.files().contains(watched.path)) {
            watcher_.addPath(watched.path);
            StartSettling(watched);
        }
    }
}

void OutsideEditing::Refuse(int page, const QByteArray& content, const QString& reason) {
    Watched& watched = pages_.at(page);
    if (content == watched.refused)
        return;
    watched.refused = content;
    watched.telling = true;
    emit PictureRefused(page, reason);
    // The handler may have ended the watch (the level was closed while a message was up).
    if (const auto found = pages_.find(page); found != pages_.end())
        found->second.telling = false;
}

void OutsideEditing::CheckPage(int page) {
    const auto found = pages_.find(page);
    if (found == pages_.end())
        return;
    Watched& watched = found->second;
    if (watched.telling) {
        StartSettling(watched); // read once the message about the last content is answered
        return;
    }
    // Never follow a link, never wait on a pipe or device, and read only a regular file of a size a
    // picture can have.
    const Descriptor file{open(QFile::encodeName(watched.path).constData(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) {
        const int error = errno;
        if (error != ENOENT) // gone: in the middle of a replacement, the new file announces itself
            Refuse(page,
                   "open:" + QByteArray::number(error) +
                       QFile::encodeName(QFile::symLinkTarget(watched.path)),
                   QStringLiteral("%1 cannot be read: %2")
                       .arg(watched.path, error == ELOOP ? QStringLiteral("it is a link, not a regular file")
                                                         : QString::fromLocal8Bit(strerror(error))));
        return;
    }
    struct stat info {};
    if (fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        Refuse(page, "type:" + QByteArray::number(info.st_mode),
               QStringLiteral("%1 is not a regular file").arg(watched.path));
        return;
    }
    if (info.st_size > kMaxPictureBytes) {
        Refuse(page, "size:" + QByteArray::number(static_cast<qint64>(info.st_size)),
               QStringLiteral("%1 is too large for a page picture (%2 bytes)")
                   .arg(watched.path)
                   .arg(static_cast<qint64>(info.st_size)));
        return;
    }
    const QByteArray content =
        QCryptographicHash::hash(ReadAll(file.fd, info.st_size), QCryptographicHash::Sha1);
    // The picture is read through the descriptor already open, so that it is the file just checked.
    const QString opened = QStringLiteral("/proc/self/fd/%1").arg(file.fd);
    PagePictureFile picture = ReadPagePicture(opened);
    if (!picture.result) {
        Refuse(page, content, QString::fromStdString(picture.result.reason).replace(opened, watched.path));
        return;
    }
    watched.refused.clear();
    if (page < doc_.Level().num_pages && doc_.TakePagePicture(page, picture.argb, picture.has_alpha))
        emit PageTaken(page);
}
