// Frames drawn on the views: one-pixel outlines inside a rectangle's bounds (Left to Right - 1, Top to
// Bottom - 1). Qt cannot paint on 8-bit pictures, so those get the palette colour nearest the pen.
#pragma once

#include <QImage>

#include "document/t_rect.h"

// Index of the palette entry closest to `colour` (squared distance in RGB).
int NearestPaletteIndex(const QImage& picture, QRgb colour);

// Parts of the outline outside the picture are skipped.
void FrameRect(QImage& picture, const TRect& rect, QRgb colour);
