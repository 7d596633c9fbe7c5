// What the Qt part's seed writers share: the folder named on their command line, and the seeds in it.
#pragma once

#include <cstdio>
#include <optional>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace pw::fuzz {

class SeedFolder {
public:
    // The folder named by the only argument, created when missing; nothing, after a usage line,
    // otherwise.
    static std::optional<SeedFolder> FromArguments(int argc, char** argv) {
        if (argc != 2) {
            std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
            return std::nullopt;
        }
        SeedFolder seeds(QString::fromLocal8Bit(argv[1]));
        QDir().mkpath(seeds.folder_);
        return seeds;
    }

    void Write(const QString& name, const QByteArray& bytes) const {
        QFile file(QDir(folder_).filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

private:
    explicit SeedFolder(QString folder) : folder_(std::move(folder)) {}
    QString folder_;
};

} // namespace pw::fuzz
