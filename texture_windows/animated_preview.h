// The picture of one frame of an animated set: the rectangle of its object texture, cut from the
// texture's page as the level views show it (5-6-5).
#pragma once

#include <QImage>
#include <QRect>

#include "level/trlevel.h"

// The frame's rectangle inside its page: from vertex 1 to vertex 3, taking vertex 2's column (row)
// where vertex 3 repeats vertex 1's; both corners included.
QRect AnimatedFrameRect(const pw::tobjtexture& texture);

// The rectangle `rect` of page `page`, 16 bits per pixel; black where the level holds no such page.
QImage PageRegion(const pw::Ttrlevel& level, int page, const QRect& rect);
