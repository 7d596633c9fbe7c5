// The stacked pages as a Windows bitmap file: 24 bits per pixel, rows stored bottom up, no padding (a
// row is 768 bytes), written a few rows at a time without holding the whole picture.
#pragma once

#include <cstdio>
#include <string>

#include "level/gauge.h"
#include "level/trlevel.h"

// Writes the file to `out`, moving `gauge` (when given) up to 100. Writes nothing when the level has no
// pages. A failed write raises std::runtime_error naming `name` and the system's reason.
void WriteBmpExport(const pw::Ttrlevel& level, std::FILE* out, const std::string& name,
                    pw::Gauge* gauge = nullptr);
