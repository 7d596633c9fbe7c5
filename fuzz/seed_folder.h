// What the Qt part's seed writers share: the folder named on their command line, and one seed in it.
#pragma once

#include <cstdio>
#include <optional>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace pw::fuzz {

// The folder named by the only argument, created when missing; nothing, after a usage line, otherwise.
inline std::optional<QString> SeedFolder(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return std::nullopt;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    return folder;
}

inline void WriteSeed(const QString& folder, const QString& name, const QByteArray& bytes) {
    QFile file(QDir(folder).filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace pw::fuzz
