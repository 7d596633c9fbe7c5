// The texts the page map fills in while it runs, in the order of its hidden list Texts.
#pragma once

#include <QStringList>

enum class PageMapText {
    figures,       // %1 pages, %2 object textures, %3 sprite textures, %4 animated sets
    page_limit,    // %1 the pages the game's engine loads
    texture_limit, // %1 the object textures it loads
    free_share,    // %1 the page's free share in percent
    triangle,
    use_room_faces, // %1 how many
    use_mesh_faces,
    use_animated_sets, // %1 the set numbers
    use_unused,
    free_after_cleanup, // %1 the free share once the unused textures are removed
    sprite_limit,       // %1 the sprite textures the engine loads
};

// The English texts, in the order of PageMapText.
QStringList PageMapTextPatterns();
