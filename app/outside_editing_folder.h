// The working folder of Edit Page Outside. Each running program makes its own, private folder under a
// common root: mode 0700, a name of its process id and random letters, never one that exists already
// or a link. The program removes only the files it wrote there; what an editor saved beside them (a
// layered copy, a backup) stays, and the folder with it. A list of the written names is kept in the
// folder, so that a later run can clear the folders of runs that are gone.
#pragma once

#include <set>

#include <QString>
#include <QStringList>

#include "level/result.h"

class OutsideWorkingFolder {
public:
    // `root` holds the folders of every run (made when missing).
    explicit OutsideWorkingFolder(QString root) : root_(std::move(root)) {}
    ~OutsideWorkingFolder() { Clear(); }
    OutsideWorkingFolder(const OutsideWorkingFolder&) = delete;
    OutsideWorkingFolder& operator=(const OutsideWorkingFolder&) = delete;

    // Makes the folder on first use (again when it was taken away); Path() then names it. A folder that
    // cannot be made or is not this program's own is a file_error naming it.
    pw::Result Make();
    // The folder in use; empty while none is made.
    QString Path() const { return path_; }
    // Notes that the program wrote the file `name` in the folder.
    void Wrote(const QString& name);
    // Removes the files the program wrote, and the folder once nothing else is in it. Returns the
    // folder when other files keep it, else an empty string.
    QString Clear();

    // Clears the folders under `root` whose program is no longer running, as Clear does. Returns the
    // folders that stay because they hold other files.
    static QStringList ClearStale(const QString& root);

private:
    QString root_;
    QString path_;
    unsigned long long device_ = 0, inode_ = 0; // of the folder made, to know it again
    std::set<QString> written_;
};
