// Pictures (.bmp, .png) as the copies use them, for the windows and the command-line tool alike: a
// picture read and checked for the 256-pixel page width, and a square of it as the colours a copy
// writes.
#pragma once

#include <cstdint>
#include <vector>

#include <QImage>
#include <QString>

#include "pictures/picture_checks.h"

struct SourcePicture {
    QImage image;           // the picture when read
    QSize size;             // what the file claims, when known
    bool has_alpha = false; // the file's format carries alpha (RGBA PNG)
    pw::Result result;      // as ReadPictureFile ends, the reason naming the file
};

// Reads `path` through the checks of ReadPictureFile (regular files only, data as long as the header
// says); a picture that is not 256 wide and at least 256 tall is refused as wrong_size before it is
// decoded, however large it claims to be. `rows`, when not 0, keeps only that many rows from the top
// (what a copy of the first page needs), however many the picture has.
SourcePicture ReadSourcePicture(const QString& path, int rows = 0);

// The `size` square from (x, y) of `picture` as 0xAARRGGBB, rows top first; opaque black where the
// picture has no pixels. Alpha is kept only when `keep_alpha`.
std::vector<std::uint32_t> PictureColours(const QImage& picture, int x, int y, int size, bool keep_alpha);
