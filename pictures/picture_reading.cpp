#include "pictures/picture_reading.h"

pw::Result PictureFailure(pw::Status status, const QString& reason) {
    return {status, reason.toStdString()};
}

PictureReading RefusedReading(pw::Status status, const QString& reason) {
    PictureReading reading;
    reading.result = PictureFailure(status, reason);
    return reading;
}
