#include "textures/animated_window.h"

#include "app/level_document.h"

Tfanimated* fanimated = nullptr;

Tfanimated::Tfanimated(LevelDocument& document) : TForm(QStringLiteral("fanimated")), doc_(document) {
    SetCaption(QStringLiteral("Animated texture Managger"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    SetBounds(70, 7, 551, 293);
    FormCreate();
    connect(&doc_, &LevelDocument::LevelReplaced, this, [this] { LoadAnimatedSets(); });
}
