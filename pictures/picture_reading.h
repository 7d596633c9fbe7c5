// What reading a picture gives: the picture, or how the reading ended. Shared by the .png and .bmp
// readers and the checks in front of them.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "level/result.h"

struct PictureReading {
    QImage image; // null unless read
    QSize size;   // the size the file announces, once its header was read
    pw::Result result;
};

// A result that failed with `status` for `reason`.
pw::Result PictureFailure(pw::Status status, const QString& reason);

// A reading that failed with `status` for `reason`, with nothing read.
PictureReading RefusedReading(pw::Status status, const QString& reason);
