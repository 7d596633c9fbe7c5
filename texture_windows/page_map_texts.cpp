#include "texture_windows/page_map_texts.h"

QStringList PageMapTextPatterns() {
    return {QStringLiteral("Pages: %1   Object textures: %2   Sprite textures: %3   Animated sets: %4"),
            QStringLiteral("The game's engine loads at most %1 pages."),
            QStringLiteral("The game's engine loads at most %1 object textures."),
            QStringLiteral("Free: %1% of the page"),
            QStringLiteral("(triangle)"),
            QStringLiteral("%1 room faces"),
            QStringLiteral("%1 mesh faces"),
            QStringLiteral("animated sets %1"),
            QStringLiteral("unused"),
            QStringLiteral("Free after clean-up: %1%"),
            QStringLiteral("The game's engine loads at most %1 sprite textures.")};
}
