// The picture of one level page as the page map shows it: every pixel in its own colour, transparent
// pixels (8-bit index 0, 16-bit word 0, 32-bit alpha 0) with alpha 0 so that the checkerboard under
// them shows, the 32-bit page with its own alpha.
#pragma once

#include <QImage>
#include <QString>

#include "level/page_access.h"
#include "level/trlevel.h"

// 256 x 256, premultiplied ARGB; a null image when the level holds no such page in that depth.
QImage PageMapPicture(const pw::Ttrlevel& level, int page, pw::PageDepth depth);
// The stored value of pixel (x, y) in that depth: "[12] 252,0,0" (palette index and colour), "0x7C00"
// (16-bit word) or "RGBA 255,0,0,255"; empty when there is no such pixel.
QString PageMapPixelValue(const pw::Ttrlevel& level, int page, pw::PageDepth depth, int x, int y);
