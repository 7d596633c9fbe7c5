// The folder and base name of the program's executable, where readme.txt and the language files lie.
// Tests point them at a folder of their own.
#pragma once

#include <QString>

QString ExecutableFolder();
QString ExecutableBaseName();
// Pretends the executable is `path`; an empty path returns to the real one.
void OverrideExecutablePath(const QString& path);
