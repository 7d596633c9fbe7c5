// Pages edited in another program: a page is written as a .png into the program's working folder,
// opened in the desktop's image editor (or a command of the user's choice), and watched. Every save
// that shows something else than the page becomes one step of the document's history.
//
// Editors save in different ways: some write the file in place, in pieces or several times in a row,
// others write a new file and rename it over the old one, which ends a watch on the file. So the
// folder is watched as well, a file that comes back is watched again, and the picture is read only
// once the file has stayed the same for the settle time. Only a regular file is read: a link, a
// device or a pipe put in its place is refused without opening what it names.
#pragma once

#include <map>
#include <memory>

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include "app/outside_editing_folder.h"
#include "level/page_picture.h"
#include "level/result.h"

class LevelDocument;

class OutsideEditing : public QObject {
    Q_OBJECT

public:
    // How long a changed file must stay the same before it is read.
    static constexpr int kSettleMs = 1000;
    // The largest file taken for a page picture.
    static constexpr qint64 kMaxPictureBytes = qint64{64} << 20;

    // `root` holds the working folders of every run; by default "outside" in the user's cache folder.
    explicit OutsideEditing(LevelDocument& document, QObject* parent = nullptr, const QString& root = {});
    ~OutsideEditing() override;

    void SetSettleTime(int ms) { settle_ms_ = ms; }
    // The folders of every run, and this run's working folder (empty while nothing was sent out).
    QString Root() const { return root_; }
    QString WorkingFolder() const { return folder_.Path(); }
    QString PagePath(int page) const;
    // Writes page `page` in `depth` into the working folder, at PagePath(page), and watches it. A file
    // or folder that cannot be written is a file_error naming it.
    pw::Result Start(int page, pw::PagePictureDepth depth = pw::PagePictureDepth::shown);
    // The program and arguments of an editor command: words split at spaces, kept together by single or
    // double quotes; a command that names an existing file as a whole (spaces and all) is that file, and
    // so is the longest run of leading words that names one.
    static QStringList SplitCommand(const QString& command);
    // Opens `path` with `command` (see SplitCommand; the file's path is added last), or with the
    // desktop's program for .png files when `command` is empty. False when nothing could be started.
    static bool Open(const QString& path, const QString& command);
    // The command Start's pictures are opened with (see Open); empty for the desktop's program.
    QString Command() const { return command_; }
    void SetCommand(const QString& command) { command_ = command; }
    // Ends every watch and removes the files the program wrote; tells FilesLeft when others stay.
    void Stop();
    // Clears the working folders of runs that are gone; tells FilesLeft for each that keeps other files.
    void ClearStaleFolders();
    bool Watching(int page) const { return pages_.contains(page); }

    // A watched file changed: it is read once it has stayed the same for the settle time.
    void FileChanged(const QString& path);
    // Reads the picture of `page` now and hands it to the document.
    void CheckPage(int page);

signals:
    // The page took a saved picture as a step of the history.
    void PageTaken(int page);
    // A saved picture could not be used; the page is as it was. Said once for each content, and not
    // again for the page while the handler of the last one has not returned (a message on screen).
    void PictureRefused(int page, const QString& reason);
    // Files that the program did not write stay in `folder`.
    void FilesLeft(const QString& folder);

private:
    // What identifies a file's content without reading it.
    struct Stamp {
        qint64 size = -1, modified_ns = 0, inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Watched {
        QString path;
        pw::PagePictureDepth depth = pw::PagePictureDepth::shown;
        std::unique_ptr<QTimer> settle;
        Stamp stamp;        // the file as it was when the settle time started
        QByteArray refused; // the checksum of the last content refused
        bool telling = false;
    };

    static Stamp StampOf(const QString& path);
    void StartSettling(Watched& watched);
    void Settled(int page);
    void FolderChanged();
    int PageOf(const QString& path) const;
    void Refuse(int page, const QByteArray& content, const QString& reason);

    LevelDocument& doc_;
    QString root_;
    OutsideWorkingFolder folder_;
    QFileSystemWatcher watcher_;
    QString command_;
    int settle_ms_ = kSettleMs;
    std::map<int, Watched> pages_;
};
