// The stacked pages as a Windows bitmap file: 24 bits per pixel, rows stored bottom up, no padding (a
// row is 768 bytes), written a few rows at a time without holding the whole picture.
#pragma once

#include <cstdio>

#include "level/gauge.h"
#include "level/result.h"
#include "level/trlevel.h"

// Writes the file to `out`, moving `gauge` (when given) up to 100. Writes nothing when the level has no
// pages. A failed write is file_error with the system's reason, without the file's name.
[[nodiscard]] pw::Result WriteBmpExport(const pw::Ttrlevel& level, std::FILE* out,
                                        pw::Gauge* gauge = nullptr);
