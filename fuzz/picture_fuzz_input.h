// What the picture fuzz target does with one input, shared with anything that replays its findings:
// read the file as a texture source is read and as a page picture is read (the fast path for plain
// .png files, libspng behind the checks for the rest), and check that a picture taken as read is what
// the copies and the page import expect.
#pragma once

#include <QString>

#include "pictures/page_folder.h"
#include "pictures/picture_bridge.h"

namespace pw::fuzz {

// Empty when all is well, else what went wrong.
inline const char* CheckPagePictureInput(const QString& path) {
    const PagePictureFile page = ReadPagePicture(path);
    if (page.result && page.argb.size() != 256 * 256)
        return "a page picture taken as read has the wrong number of colours";
    if (!page.result && !page.argb.empty())
        return "a refused page picture kept colours";
    return nullptr;
}

inline const char* CheckPictureInput(const QString& path) {
    if (const char* fault = CheckPagePictureInput(path))
        return fault;
    const SourcePicture picture = ReadSourcePicture(path);
    if (!picture.result)
        return picture.result.reason.empty() ? "refused without a reason" : nullptr;
    if (picture.image.isNull() || picture.image.width() != 256 || picture.image.height() < 256)
        return "a picture taken as read is not page sized";
    // The first and the last tile of the first page, as a copy takes them.
    for (const int at : {0, 192})
        if (PictureColours(picture.image, at, at, 64, picture.has_alpha).size() != 64 * 64)
            return "a tile has the wrong number of colours";
    return nullptr;
}

} // namespace pw::fuzz
