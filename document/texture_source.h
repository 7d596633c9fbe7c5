// The texture source: the picture that tiles and pages are copied from, 256 pixels wide, one source
// page every 256 rows from the top. It comes from a second level (its 8-bit pages through its own
// palette, or its 16-bit pages as 5-6-5) or from a picture file (.bmp, .png).
#pragma once

#include <array>
#include <cstdint>

#include <QImage>
#include <QString>

#include "level/result.h"
#include "level/trlevel.h"

struct TextureSource {
    QImage SourceImage;    // empty until a source is opened
    QString FileName;      // the file-name part, shown by Label4
    bool HasAlpha = false; // a picture with an alpha channel (RGBA PNG)
    pw::Bytes Pages32;     // a kind 6/7 source level's 32-bit pages, kept for copies between such levels
    pw::Bytes Pages16;     // a source level's 16-bit words as stored (opaque flag included)
    pw::Bytes Pages8;      // a source level's 8-bit indices as stored, with its palette
    std::array<std::uint8_t, 768> Palette8{};

    int PageCount() const { return SourceImage.isNull() ? 0 : SourceImage.height() / 256; }
};

// Reads `path` as a texture source into `source`: a picture when its extension is .bmp or .png in any
// case, a level otherwise. On any failure `source` is left as it was, and the result says why:
// wrong_size for a picture smaller than a page, not_a_picture (the reason naming the file), no_such_file,
// not_a_level (the reader's reason, without the file's name; empty for pages too large to show),
// bad_request for a level without pages, or a file that could not be read (the reason naming it).
pw::Result OpenTextureSource(const QString& path, TextureSource& source, pw::Gauge* gauge);

// True for the extensions that are read as pictures.
bool IsPictureFileName(const QString& path);
