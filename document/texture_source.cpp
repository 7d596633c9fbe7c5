#include "document/texture_source.h"

#include <QFile>
#include <QFileInfo>

#include "document/sentence_reason.h"
#include "level/layout.h"
#include "level/page_access.h"
#include "pictures/picture_bridge.h"
#include "pictures/pixel_helpers.h"

namespace {

using pw::layout::kPageSide;

QImage FromLevelPages(const pw::Ttrlevel& level) {
    const int pages = level.num_pages;
    if (pages <= 0)
        return {};
    if (!pw::CarriesDepth(level.kind, pw::PageDepth::bits16)) {
        QImage image(kPageSide, kPageSide * pages, QImage::Format_Indexed8);
        if (image.isNull())
            return {};
        image.setColorTable(BuildLevelPalette(level.palette));
        image.fill(0);
        CopyPixelsToBitmap(image, std::min(level.pages8.size(), pw::layout::kPage8Bytes * pages),
                           level.pages8.data());
        return image;
    }
    QImage image(kPageSide, kPageSide * pages, QImage::Format_RGB16);
    if (image.isNull())
        return {};
    image.fill(0);
    FillFromPages16(image, level.pages16);
    return image;
}

pw::Result OpenPicture(const QString& path, TextureSource& source) {
    SourcePicture picture = ReadSourcePicture(path);
    if (!picture.result)
        return AsSentence(std::move(picture.result));
    source.HasAlpha = picture.has_alpha;
    source.SourceImage = std::move(picture.image);
    source.FileName = QFileInfo(path).fileName();
    source.Pages32.clear();
    source.Pages16.clear();
    source.Pages8.clear();
    return {};
}

pw::Result OpenLevel(const QString& path, TextureSource& source, pw::Gauge* gauge) {
    pw::Ttrlevel level;
    level.gauge = gauge;
    const std::string name = QFile::encodeName(path).toStdString();
    if (pw::Result read = level.LoadLevel(name, true); !read)
        return read;
    if (level.num_pages <= 0)
        return {pw::Status::bad_request, name + " holds no texture pages"};
    QImage image = FromLevelPages(level);
    // Pages that cannot be shown in one picture are refused as the reader refuses a level, in the
    // same words.
    if (image.isNull())
        return {pw::Status::not_a_level, {}};
    source.SourceImage = std::move(image);
    source.FileName = QFileInfo(path).fileName();
    source.HasAlpha = false;
    source.Pages32.clear();
    if (pw::CarriesDepth(level.kind, pw::PageDepth::bits32) &&
        level.pages32.size() >= pw::layout::kPage32Bytes * static_cast<std::size_t>(level.num_pages))
        source.Pages32 = std::move(level.pages32);
    source.Pages16.clear();
    if (pw::CarriesDepth(level.kind, pw::PageDepth::bits16) &&
        level.pages16.size() >= pw::layout::kPage16Bytes * static_cast<std::size_t>(level.num_pages))
        source.Pages16 = std::move(level.pages16);
    source.Pages8.clear();
    if (pw::CarriesDepth(level.kind, pw::PageDepth::bits8) &&
        level.pages8.size() >= pw::layout::kPage8Bytes * static_cast<std::size_t>(level.num_pages)) {
        source.Pages8 = std::move(level.pages8);
        source.Palette8 = level.palette;
    }
    return {};
}

} // namespace

// Extensions are compared in any case: "ok.Png" is a picture, as it is to the command-line tool.
bool IsPictureFileName(const QString& path) {
    const QString ext = QFileInfo(path).suffix();
    return ext.compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0 ||
           ext.compare(QLatin1String("png"), Qt::CaseInsensitive) == 0;
}

pw::Result OpenTextureSource(const QString& path, TextureSource& source, pw::Gauge* gauge) {
    return IsPictureFileName(path) ? OpenPicture(path, source) : OpenLevel(path, source, gauge);
}
