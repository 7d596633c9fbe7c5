// Where the program's own files lie. Reading looks in the user's data folder ($XDG_DATA_HOME/pagewright,
// for files the user saved), beside the executable (a build folder or a portable copy), then in the
// installed data folder (share/pagewright beside the executable's bin folder). Saving never touches an
// installed program's folders (the package owns them): it goes beside the executable only when there is
// no installed data folder, that folder can be written and the user has no file of that name; else to the
// user's folder.
#pragma once

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

Q_DECLARE_LOGGING_CATEGORY(lcDataFiles)

QString UserDataFolder();
QString InstalledDataFolder();
// The folders searched for a file, in order.
QStringList DataSearchFolders();
// The first existing file `name` in the search folders; empty when there is none.
QString FindDataFile(const QString& name);
// Where a file `name` the user saves is written; creates the user's data folder when it is chosen.
QString WritableDataFile(const QString& name);
// Creates `folder` and the folders above it that are missing. Empty when the folder is there afterwards;
// otherwise a sentence naming the first folder that could not be created and why (in English).
QString CreateDataFolder(const QString& folder);
