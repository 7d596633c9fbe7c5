// What the original game engines load at most: pages and sprite textures in kinds 1 to 4, object
// textures in kinds 1 to 5.
// The files can hold more; the program warns instead of refusing.
#pragma once

#include <cstdint>

#include "level/trlevel.h"

namespace pw {

// 0: the engine sets no limit the program knows of.
inline int EnginePageLimit(std::int32_t kind) {
    return kind >= kind_tr1 && kind <= kind_trg ? 16 : 0;
}

inline int EngineSpriteTextureLimit(std::int32_t kind) {
    return kind >= kind_tr1 && kind <= kind_trg ? 512 : 0;
}

inline int EngineObjectTextureLimit(std::int32_t kind) {
    if (kind >= kind_tr1 && kind <= kind_trg)
        return 2048;
    return kind == kind_tr3 ? 4096 : 0;
}

} // namespace pw
