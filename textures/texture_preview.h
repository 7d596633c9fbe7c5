// The preview of one object texture: its bounding box cut from the level atlas, mirrored as the record
// reads, with the outline of a three-vertex texture drawn in white.
#pragma once

#include <QImage>

#include "level/trlevel.h"

// `atlas` holds every page of the level stacked, page p at rows p x 256. Rows outside the atlas are black.
QImage BuildTexturePreview(const QImage& atlas, const pw::tobjtexture& texture);

// The preview enlarged by the largest whole factor that fits `box`, each pixel a square block; a preview
// that fits only at 1:1 (or not at all) is returned as it is.
QImage ScalePreviewToFit(const QImage& preview, QSize box);
