// .png files read through libspng, strictly: every chunk's checksum, the image data's checksum, palette
// indices inside the palette, and limits on chunk sizes, so that no file costs much more memory than the
// picture it holds. Rows are decoded one at a time straight into the picture, whatever its height.
#pragma once

#include <cstdint>
#include <functional>

#include <QIODevice>
#include <QSize>

#include "pictures/picture_reading.h"

// Reads the .png file on `device` (`file_bytes` long) from its current position: the picture in RGBA,
// 8 bits a component, as Format_RGBA8888 when the file carries alpha (an alpha channel or a transparent
// colour, whose pixels get alpha 0), Format_RGBX8888 otherwise. `size_fits`, when given, is asked about
// the announced size before anything is decoded; a size it refuses gives wrong_size. `rows`, when not
// 0, keeps only that many rows from the top; every row is still decoded and checked to be there.
// Failures are not_a_picture, with a reason that does not name the file.
PictureReading ReadPng(QIODevice& device, std::uint64_t file_bytes,
                       const std::function<bool(QSize)>& size_fits = {}, int rows = 0);
