#include "app/texture_source.h"

#include <stdexcept>

#include <QFile>
#include <QFileInfo>

#include "app/pixel_helpers.h"
#include "document/picture_checks.h"
#include "level/layout.h"
#include "level/page_access.h"

namespace {

constexpr int kSide = 256;

// The extension from the last "." of the file-name part on, compared with case.
QString Extension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

QImage BlackPage() {
    QImage page(kSide, kSide, QImage::Format_RGB888);
    page.fill(Qt::black);
    return page;
}

QImage FromLevelPages(const pw::Ttrlevel& level) {
    const int pages = level.num_pages;
    if (pages <= 0)
        return {};
    if (!pw::CarriesDepth(level.kind, pw::PageDepth::bits16)) {
        QImage image(kSide, kSide * pages, QImage::Format_Indexed8);
        if (image.isNull())
            return {};
        image.setColorTable(BuildLevelPalette(level.palette));
        image.fill(0);
        CopyPixelsToBitmap(image, std::min(level.pages8.size(), pw::layout::kPage8Bytes * pages),
                           level.pages8.data());
        return image;
    }
    QImage image(kSide, kSide * pages, QImage::Format_RGB16);
    if (image.isNull())
        return {};
    image.fill(0);
    FillFromPages16(image, level.pages16);
    return image;
}

SourceOpenResult OpenPicture(const QString& path, TextureSource& source) {
    PictureReading reading = ReadPictureFile(path);
    if (reading.fault != PictureReading::Fault::none) {
        QString error = reading.error;
        error[0] = error[0].toUpper();
        throw std::runtime_error(error.toStdString());
    }
    QImage image = std::move(reading.image);
    if (image.width() != kSide || image.height() < kSide) {
        source.SourceImage = BlackPage();
        source.FileName.clear();
        source.HasAlpha = false;
        source.Pages32.clear();
        return SourceOpenResult::wrong_size;
    }
    source.HasAlpha = image.hasAlphaChannel();
    source.SourceImage = std::move(image);
    source.FileName = QFileInfo(path).fileName();
    source.Pages32.clear();
    return SourceOpenResult::opened;
}

SourceOpenResult OpenLevel(const QString& path, TextureSource& source, pw::Gauge* gauge) {
    pw::Ttrlevel level;
    level.gauge = gauge;
    if (level.LoadLevel(QFile::encodeName(path).toStdString(), true) != 0)
        return SourceOpenResult::not_a_level;
    QImage image = FromLevelPages(level);
    if (image.isNull())
        return SourceOpenResult::not_a_level;
    source.SourceImage = std::move(image);
    source.FileName = QFileInfo(path).fileName();
    source.HasAlpha = false;
    source.Pages32.clear();
    if (pw::CarriesDepth(level.kind, pw::PageDepth::bits32) &&
        level.pages32.size() >= pw::layout::kPage32Bytes * static_cast<std::size_t>(level.num_pages))
        source.Pages32 = std::move(level.pages32);
    return SourceOpenResult::opened;
}

} // namespace

bool IsPictureFileName(const QString& path) {
    const QString ext = Extension(path);
    return ext == QStringLiteral(".bmp") || ext == QStringLiteral(".BMP") || ext == QStringLiteral(".png") ||
           ext == QStringLiteral(".PNG");
}

SourceOpenResult OpenTextureSource(const QString& path, TextureSource& source, pw::Gauge* gauge) {
    return IsPictureFileName(path) ? OpenPicture(path, source) : OpenLevel(path, source, gauge);
}
