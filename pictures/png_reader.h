// .png files read through libspng, strictly: every chunk's checksum, the image data's checksum, palette
// indices inside the palette, and limits on chunk sizes, so that no file costs much more memory than the
// picture it holds. Rows are decoded one at a time straight into the picture, whatever its height.
#pragma once

#include <cstdint>
#include <functional>

#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>

struct PngReading {
    // RGBA 8 bits a component: Format_RGBA8888 when the file carries alpha (an alpha channel or a
    // transparent colour, whose pixels get alpha 0), Format_RGBX8888 otherwise.
    QImage image;
    QSize size;              // what the header announces, once it was read
    bool wrong_size = false; // `size_fits` refused the size; nothing was decoded
    QString error;           // why it was not read, without the file's name; empty when read or wrong_size
};

// Reads the .png file on `device` (`file_bytes` long) from its current position. `size_fits`, when given,
// is asked about the announced size before anything is decoded. `rows`, when not 0, keeps only that many
// rows from the top; every row is still decoded and checked to be there.
PngReading ReadPng(QIODevice& device, std::uint64_t file_bytes,
                   const std::function<bool(QSize)>& size_fits = {}, int rows = 0);
