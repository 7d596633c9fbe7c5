// How the windows name a texture's use: "38 room faces, 2 mesh faces", "unused". The patterns come
// from the window's translated texts.
#pragma once

#include <QString>

#include "level/texture_usage.h"

struct TextureUsePatterns {
    QString room_faces;    // "%1 room faces"
    QString mesh_faces;    // "%1 mesh faces"
    QString animated_sets; // "animated sets %1", the set numbers from 1
    QString unused;
};

// The use of object texture `index`; empty for an index past the figures.
QString TextureUseText(const pw::TextureUsage& usage, int index, const TextureUsePatterns& patterns);
