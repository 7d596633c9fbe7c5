// Writing all pages of a level stacked top to bottom into one .bmp or .png file, a band of rows at a
// time, so that a level of any page count is exported without its picture in memory.
#pragma once

#include <string>

#include "level/gauge.h"
#include "level/result.h"
#include "level/trlevel.h"

enum class ExportDepth {
    shown24, // the pages as the program shows them, 24 bits per pixel
    stored32 // the 32-bit pages as stored, alpha included (.png only)
};

// Writes the picture of `level` to `path`: PNG when the name ends in ".png" (any case), a 24-bit BMP
// otherwise, moving `gauge` (when given) up to 100 as the rows go out. The file is replaced only once
// complete. A failure names `path` in its reason: file_error when the file cannot be written,
// bad_request for a level without pages, cannot_save_as for 32-bit pages asked of a .bmp.
[[nodiscard]] pw::Result WritePictureExport(const pw::Ttrlevel& level, const std::string& path,
                                            ExportDepth depth, pw::Gauge* gauge = nullptr);
