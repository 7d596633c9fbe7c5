// The document operations that write files or grow the level: Save, AddPage and Export.
#include <algorithm>

#include <QDir>
#include <QFile>

#include "document/level_document.h"
#include "document/sentence_reason.h"
#include "level/layout.h"
#include "level/save_preparation.h"
#include "pictures/picture_export.h"

pw::Result LevelDocument::Save(const QString& path, pw::Gauge* gauge) {
    const std::string name = QFile::encodeName(path).toStdString();
    if (!HasLevel())
        return pw::NothingLoaded(name);
    level_.gauge = gauge;
    struct GaugeReset {
        pw::Ttrlevel& level;
        ~GaugeReset() { level.gauge = nullptr; }
    } reset{level_};
    // At the step that was opened the level is written as read, so every block passes through.
    pw::Result result = history_.index() == opened_index_ ? level_.SaveLevel(name)
                                                          : pw::SaveLevelAsEdited(level_, sets_, name);
    if (!result)
        return result;
    history_.setClean();
    if (path != file_name_) {
        file_name_ = path;
        emit FileNameChanged();
    }
    return result;
}

int LevelDocument::AddPage() {
    // A page more than a level may hold could never be saved.
    if (!HasLevel() || static_cast<std::size_t>(level_.num_pages) >= pw::layout::kMaxPages)
        return -1;
    const int page = level_.num_pages;
    Push(HistoryStep{StepKind::add_page}, std::make_shared<AddPageEdit>(page));
    return page;
}

pw::Result LevelDocument::Export(const QString& path, pw::Gauge* gauge) const {
    if (!HasLevel() || level_.num_pages <= 0)
        return {HasLevel() ? pw::Status::bad_request : pw::Status::nothing_loaded,
                QStringLiteral("Cannot write the picture %1: no level pages to export")
                    .arg(QDir::toNativeSeparators(path))
                    .toStdString()};
    // Streamed into a file beside the target that replaces it when complete.
    return AsSentence(
        WritePictureExport(level_, QFile::encodeName(path).toStdString(), ExportDepth::shown24, gauge));
}
