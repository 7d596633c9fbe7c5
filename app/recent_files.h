// The recent-files list of the File menu.
#pragma once

#include <QStringList>

// How many recent level files the File menu lists (items None1 to None5).
inline constexpr int kMaxRecentFiles = 5;

// `files` with `path` first: an entry differing only in letter case gives way to it, and the list
// keeps at most kMaxRecentFiles entries.
QStringList WithRecentFile(QStringList files, const QString& path);
