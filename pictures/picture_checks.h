// Reading a .bmp or .png file that tiles and pages are copied from, refusing what would be taken for a
// picture without being one: anything but a regular file, and a picture whose data ends before the rows
// its header announces.
#pragma once

#include <functional>

#include <QSize>
#include <QString>

#include "pictures/picture_reading.h"

// Reads `path`. A failure names the file in its reason: no_such_file when nothing is there, file_error
// for a folder, a pipe, a device or a file that cannot be opened, not_a_picture for bytes that are not a
// whole .bmp or .png picture. `size_fits`, when given, is asked about the announced size before anything
// is decoded; a size it refuses gives wrong_size. Colours of 16-bit BMP files are widened to 8 bits with
// their high bits repeated below them, so full intensity stays 255.
// A .png is read by ReadPng (libspng), never by Qt; a .bmp too large for Qt's reader to take whole is
// read a band of rows at a time. `rows`, when not 0, keeps only that many rows from the top (every row is
// still checked to be there).
PictureReading ReadPictureFile(const QString& path, const std::function<bool(QSize)>& size_fits = {},
                               int rows = 0);
