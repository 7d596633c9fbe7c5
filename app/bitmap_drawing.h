// Frames drawn on the views: one-pixel outlines inside a rectangle's bounds (Left to Right - 1, Top to
// Bottom - 1). Qt cannot paint on 8-bit pictures, so those get the palette entry nearest the pen.
#pragma once

#include <QImage>

#include "document/t_rect.h"

// The value a pixel of `picture` takes to show `colour`: the colour itself, or on an 8-bit picture the
// opaque palette entry that looks nearest, as every copy into 8-bit pages chooses it.
uint PenValue(const QImage& picture, QRgb colour);

// Parts of the outline outside the picture are skipped.
void FrameRect(QImage& picture, const TRect& rect, QRgb colour);
