// Pages edited in another program: a page is written as a .png into a working folder of the level,
// opened in the desktop's image editor (or a command of the user's choice), and watched. Every save
// that shows something else than the page becomes one step of the document's history.
//
// Editors save in different ways: some write the file in place, several times in a row, others write
// a new file and rename it over the old one, which ends a watch on the file. So the folder is watched
// as well, a file that comes back is watched again, and a short quiet time after the last change
// passes before the picture is read.
#pragma once

#include <map>
#include <memory>

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

class LevelDocument;

class OutsideEditing : public QObject {
    Q_OBJECT

public:
    // The quiet time after the last change of a file before it is read.
    static constexpr int kSettleMs = 250;

    explicit OutsideEditing(LevelDocument& document, QObject* parent = nullptr);
    ~OutsideEditing() override;

    // The working folder of the open level, under the user's cache folder.
    QString WorkingFolder() const;
    QString PagePath(int page) const;
    // Writes page `page` into the working folder and watches it; returns its path. Throws
    // std::runtime_error naming the file when it cannot be written.
    QString Start(int page);
    // Opens `path` with `command` (program and arguments; the file's path is added last), or with the
    // desktop's program for .png files when `command` is empty. False when nothing could be started.
    static bool Open(const QString& path, const QString& command);
    // The command Start's pictures are opened with (see Open); empty for the desktop's program.
    QString Command() const { return command_; }
    void SetCommand(const QString& command) { command_ = command; }
    // Ends every watch and removes the working files.
    void Stop();
    bool Watching(int page) const { return pages_.contains(page); }

    // A watched file changed: it is read once the quiet time has passed.
    void FileChanged(const QString& path);
    // Reads the picture of `page` now and hands it to the document.
    void CheckPage(int page);

signals:
    // The page took a saved picture as a step of the history.
    void PageTaken(int page);
    // A saved picture could not be used; the page is as it was. Said once for each content.
    void PictureRefused(int page, const QString& reason);

private:
    struct Watched {
        QString path;
        std::unique_ptr<QTimer> settle;
        QByteArray refused; // the checksum of the last content refused
    };

    void FolderChanged();
    int PageOf(const QString& path) const;

    LevelDocument& doc_;
    QFileSystemWatcher watcher_;
    QString folder_; // the working folder in use; empty while nothing is out
    QString command_;
    std::map<int, Watched> pages_;
};
