// Reading a .bmp or .png file that tiles and pages are copied from, refusing what would be taken for a
// picture without being one: anything but a regular file, and a picture whose data ends before the rows
// its header announces.
#pragma once

#include <functional>

#include <QImage>
#include <QSize>
#include <QString>

struct PictureReading {
    enum class Fault { none, not_found, folder, not_a_file, wrong_size, unreadable };
    QImage image; // null unless fault is none
    Fault fault = Fault::none;
    QString error; // a sentence naming the file, unless fault is none
    QSize size;    // the size the file announces, when it was read
};

// Reads `path`. `size_fits`, when given, is asked about the announced size before anything is
// decoded; a size it refuses gives Fault::wrong_size. Colours of 16-bit BMP files are widened to 8 bits
// with their high bits repeated below them, so full intensity stays 255.
// A .png is read by ReadPng (libspng), never by Qt; a .bmp too large for Qt's reader to take whole is
// read a band of rows at a time. `rows`, when not 0, keeps only that many rows from the top (every row is
// still checked to be there).
PictureReading ReadPictureFile(const QString& path, const std::function<bool(QSize)>& size_fits = {},
                               int rows = 0);
