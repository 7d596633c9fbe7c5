// The preview of one object texture: its bounding box cut from the level atlas, mirrored as the record
// reads, with the outline of a three-vertex texture drawn in white.
#pragma once

#include <QImage>

#include "level/trlevel.h"

// `atlas` holds every page of the level stacked, page p at rows p x 256. Rows outside the atlas are black.
QImage BuildTexturePreview(const QImage& atlas, const pw::tobjtexture& texture);
