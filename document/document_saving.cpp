// The document operations that write files or grow the level: Save, AddPage and Export.
#include <algorithm>
#include <stdexcept>

#include <QDir>
#include <QFile>

#include "document/level_document.h"
#include "document/level_outcome.h"
#include "level/layout.h"
#include "level/save_preparation.h"
#include "pictures/picture_export.h"

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
    const std::string name = QFile::encodeName(path).toStdString();
    level_.gauge = gauge;
    struct GaugeReset {
        pw::Ttrlevel& level;
        ~GaugeReset() { level.gauge = nullptr; }
    } reset{level_};
    // At the step that was opened the level is written as read, so every block passes through.
    const pw::Result result =
        RaiseFailedWork(history_.index() == opened_index_ ? level_.SaveLevel(name)
                                                          : pw::SaveLevelAsEdited(level_, sets_, name));
    if (!result)
        return ResultCode(result);
    history_.setClean();
    if (path != file_name_) {
        file_name_ = path;
        emit FileNameChanged();
    }
    return 0;
}

int LevelDocument::AddPage() {
    // A page more than a level may hold could never be saved.
    if (!HasLevel() || static_cast<std::size_t>(level_.num_pages) >= pw::layout::kMaxPages)
        return -1;
    const int page = level_.num_pages;
    Push(HistoryStep{StepKind::add_page}, std::make_shared<AddPageEdit>(page));
    return page;
}

void LevelDocument::Export(const QString& path, pw::Gauge* gauge) const {
    if (!HasLevel() || level_.num_pages <= 0)
        ExportFailed(path, QStringLiteral("no level pages to export"));
    // Streamed into a file beside the target that replaces it when complete.
    try {
        WritePictureExport(level_, QFile::encodeName(path).toStdString(), ExportDepth::shown24, gauge);
    } catch (const std::runtime_error& e) {
        QString error = QString::fromLocal8Bit(e.what());
        if (!error.isEmpty())
            error[0] = error[0].toUpper();
        throw std::runtime_error(error.toStdString());
    }
}
