#include "pictures/picture_bridge.h"

#include <algorithm>

#include "level/layout.h"

namespace {

using pw::layout::kPageSide;

bool PageSized(const QSize& size) {
    return size.width() == kPageSide && size.height() >= kPageSide;
}

} // namespace

// ReadPictureFile asks PageSized about the picture as read as well, so a picture it gives fits.
SourcePicture ReadSourcePicture(const QString& path, int rows) {
    PictureReading reading = ReadPictureFile(path, PageSized, rows);
    SourcePicture picture;
    picture.size = reading.size;
    picture.result = std::move(reading.result);
    if (!picture.result)
        return picture;
    picture.image = std::move(reading.image);
    picture.has_alpha = picture.image.hasAlphaChannel();
    return picture;
}

std::vector<std::uint32_t> PictureColours(const QImage& picture, int x, int y, int size, bool keep_alpha) {
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(size) * size, 0xFF000000u);
    if (picture.isNull())
        return colours;
    const QImage part = picture.copy(x, y, size, size)
                            .convertToFormat(keep_alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int row = 0; row < size && row < part.height(); ++row) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(part.constScanLine(row));
        std::copy(line, line + std::min(size, part.width()),
                  colours.begin() + static_cast<std::ptrdiff_t>(row) * size);
    }
    return colours;
}
