// The document operations that write files or grow the level: Save, AddPage and Export.
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>

#include "document/level_document.h"
#include "level/file_replace.h"
#include "level/level_errors.h"
#include "level/page_export.h"
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
    const std::string name = QFile::encodeName(path).toStdString();
    level_.gauge = gauge;
    struct GaugeReset {
        pw::Ttrlevel& level;
        ~GaugeReset() { level.gauge = nullptr; }
    } reset{level_};
    // At the step that was opened the level is written as read, so every block passes through.
    const int result = history_.index() == opened_index_ ? level_.SaveLevel(name)
                                                         : pw::SaveLevelKeepingRecord(level_, sets_, name);
    if (result != 0)
        return result;
    history_.setClean();
    if (path != file_name_) {
        file_name_ = path;
        emit FileNameChanged();
    }
    return result;
}

int LevelDocument::AddPage() {
    if (!HasLevel())
        return -1;
    level_.AddPage();
    const int page = level_.num_pages - 1;
    Record(tr("Add page"), std::make_shared<AddPageEdit>(page));
    emit PageAdded(page);
    return page;
}

QImage LevelDocument::ExportPicture() const {
    const std::vector<std::uint8_t> rgb = pw::ExportPixelsRgb(level_);
    if (rgb.empty())
        return {};
    QImage picture(256, level_.num_pages * 256, QImage::Format_RGB888);
    if (picture.isNull())
        return {};
    picture.setDotsPerMeterX(pw::kExportDotsPerMeter);
    picture.setDotsPerMeterY(pw::kExportDotsPerMeter);
    const std::size_t row = 256 * 3;
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(picture.scanLine(y), rgb.data() + static_cast<std::size_t>(y) * row, row);
    return picture;
}

void LevelDocument::Export(const QString& path) const {
    if (!HasLevel() || level_.num_pages <= 0)
        ExportFailed(path, QStringLiteral("no level pages to export"));
    const std::string name = QFile::encodeName(path).toStdString();
    // Written beside the target and moved over it when complete.
    try {
        if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            if (!QImageWriter(&buffer, QByteArrayLiteral("png")).write(ExportPicture()))
                ExportFailed(path, QStringLiteral("the PNG could not be encoded"));
            pw::ReplaceFileContents(name, std::span(reinterpret_cast<const std::uint8_t*>(png.constData()),
                                                    static_cast<std::size_t>(png.size())));
        } else {
            pw::ReplaceFileContents(name, [&](std::FILE* f) { pw::WriteExportBmp(level_, f, name); });
        }
    } catch (const pw::LevelError& e) {
        ExportFailed(path, QString::fromLocal8Bit(e.what()));
    }
}
