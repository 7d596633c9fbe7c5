// .bmp pictures too large for Qt's reader to take whole: our own export of more than 512 pages is one. Qt
// refuses a picture whose decoded size passes its allocation limit. Such a picture is handed to Qt a band
// of rows at a time, each band a small picture of the same format made from the file's own rows, so every
// band is decoded exactly as a small file would be.
#pragma once

#include <cstdint>

#include <QFile>
#include <QSize>

#include "pictures/picture_reading.h"

// Where the rows of an uncompressed .bmp file lie.
struct BmpRows {
    std::uint64_t pixel_offset = 0;
    std::uint64_t row_bytes = 0;
    std::uint64_t rows = 0;
    bool top_down = false; // a negative height: the first row stored is the top one
};

// True when Qt's reader would refuse a picture of `size` for its size alone.
bool TooLargeForQtReader(const QSize& size);

// The first `rows` rows of the picture in `file` (every row when 0), or why they cannot be read
// (file_error or not_a_picture, with a reason that does not name the file). `bmp` gives where its rows
// lie (the caller has checked that the file holds them all).
PictureReading ReadLargeBmp(QFile& file, const BmpRows& bmp, int rows);
