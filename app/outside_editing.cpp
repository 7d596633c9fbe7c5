#include "app/outside_editing.h"

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

QByteArray ContentChecksum(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&file);
    return hash.result();
}

} // namespace

OutsideEditing::OutsideEditing(LevelDocument& document, QObject* parent) : QObject(parent), doc_(document) {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &OutsideEditing::FileChanged);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &OutsideEditing::FolderChanged);
    // Another level, or none: the pictures out belong to the one that was open.
    connect(&doc_, &LevelDocument::LevelReplaced, this, &OutsideEditing::Stop);
}

OutsideEditing::~OutsideEditing() {
    Stop();
}

// One folder per level file, so that two levels of the same name never share their pictures.
QString OutsideEditing::WorkingFolder() const {
    const QString level = QFileInfo(doc_.LevelFileName()).absoluteFilePath();
    const QByteArray id = QCryptographicHash::hash(level.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("outside/%1-%2")
                      .arg(QFileInfo(level).completeBaseName(), QString::fromLatin1(id)));
}

QString OutsideEditing::PagePath(int page) const {
    return QDir(WorkingFolder()).filePath(PagePictureName(doc_.LevelFileName(), page));
}

QString OutsideEditing::Start(int page) {
    const QString folder = WorkingFolder();
    if (!folder_.isEmpty() && folder_ != folder)
        Stop();
    if (!QDir().mkpath(folder))
        throw std::runtime_error(QStringLiteral("cannot make the folder %1").arg(folder).toStdString());
    folder_ = folder;
    const QString path = PagePath(page);
    if (pages_.contains(page))
        watcher_.removePath(path); // written anew below: not a save of the editor
    WritePagePicture(doc_.Level(), page, pw::PagePictureDepth::shown, path);
    Watched& watched = pages_[page];
    watched.path = path;
    watched.refused.clear();
    if (!watched.settle) {
        watched.settle = std::make_unique<QTimer>();
        watched.settle->setSingleShot(true);
        watched.settle->setInterval(kSettleMs);
        connect(watched.settle.get(), &QTimer::timeout, this, [this, page] { CheckPage(page); });
    }
    watcher_.addPath(folder_);
    watcher_.addPath(path);
    return path;
}

bool OutsideEditing::Open(const QString& path, const QString& command) {
    if (command.trimmed().isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    QStringList arguments = QProcess::splitCommand(command);
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
    if (!folder_.isEmpty())
        QDir(folder_).removeRecursively();
    folder_.clear();
}

int OutsideEditing::PageOf(const QString& path) const {
    for (const auto& [page, watched] : pages_)
        if (watched.path == path)
            return page;
    return -1;
}

void OutsideEditing::FileChanged(const QString& path) {
    const int page = PageOf(path);
    if (page < 0)
        return;
    // A file replaced by a rename is no longer watched; it is watched again once it is back.
    if (QFileInfo::exists(path) && !watcher_.files().contains(path))
        watcher_.addPath(path);
    pages_[page].settle->start();
}

void OutsideEditing::FolderChanged() {
    for (const auto& [page, watched] : pages_) {
        if (QFileInfo::exists(watched.path) && !watcher_.files().contains(watched.path)) {
            watcher_.addPath(watched.path);
            watched.settle->start();
        }
    }
}

void OutsideEditing::CheckPage(int page) {
    const auto found = pages_.find(page);
    if (found == pages_.end() || !QFileInfo::exists(found->second.path))
        return; // in the middle of a replacement: the new file announces itself
    Watched& watched = found->second;
    const PagePictureFile picture = ReadPagePicture(watched.path);
    if (!picture.error.isEmpty()) {
        const QByteArray content = ContentChecksum(watched.path);
        if (content == watched.refused)
            return;
        watched.refused = content;
        emit PictureRefused(page, picture.error);
        return;
    }
    watched.refused.clear();
    if (page < doc_.Level().num_pages && doc_.TakePagePicture(page, picture.argb, picture.has_alpha))
        emit PageTaken(page);
}
