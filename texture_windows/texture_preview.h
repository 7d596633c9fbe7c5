// The preview of one object texture: its bounding box cut from its page as the level views show it,
// mirrored as the record reads, with the outline of a three-vertex texture drawn in white.
#pragma once

#include <QImage>

#include "level/trlevel.h"

// Black where the level holds no such page.
QImage BuildTexturePreview(const pw::Ttrlevel& level, const pw::tobjtexture& texture);

// The preview enlarged by the largest whole factor that fits `box`, each pixel a square block; a preview
// that fits only at 1:1 (or not at all) is returned as it is.
QImage ScalePreviewToFit(const QImage& preview, QSize box);
