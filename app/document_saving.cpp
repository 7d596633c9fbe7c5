// The document operations that write files or grow the level: Save, AddPage and Export.
#include <algorithm>
#include <stdexcept>

#include <QDir>
#include <QFile>

#include "app/level_document.h"
#include "document/picture_export.h"
#include "level/save_preparation.h"

namespace {

[[noreturn]] void ExportFailed(const QString& path, const QString& reason) {
    throw std::runtime_error(QStringLiteral("Cannot write the picture %1: %2")
                                 .arg(QDir::toNativeSeparators(path), reason)
                                 .toStdString());
}

} // namespace

int LevelDocument::Save(const QString& path, pw::Gauge* gauge) {
    if (!HasLevel())
        return 1;
    Level.gauge = gauge;
    const int result = pw::SaveLevelAsEdited(Level, AnimatedSets, QFile::encodeName(path).toStdString());
    // The file holds no empty sets; neither does the working copy from now on.
    if (result == 0 &&
        std::erase_if(AnimatedSets, [](const pw::AnimatedSet& set) { return set.empty(); }) > 0)
        emit AnimatedSetsChanged();
    return result;
}

int LevelDocument::AddPage() {
    if (!HasLevel())
        return -1;
    Level.AddPage();
    const int page = Level.num_pages - 1;
    emit PageAdded(page);
    return page;
}

void LevelDocument::Export(const QString& path) const {
    if (!HasLevel() || Level.num_pages <= 0)
        ExportFailed(path, QStringLiteral("no level pages to export"));
    // Streamed into a file beside the target that replaces it when complete.
    try {
        WritePictureExport(Level, QFile::encodeName(path).toStdString(), ExportDepth::shown24);
    } catch (const std::runtime_error& e) {
        QString error = QString::fromLocal8Bit(e.what());
        error[0] = error[0].toUpper();
        throw std::runtime_error(error.toStdString());
    }
}
