#include "textures/animated_window.h"

Tfanimated* fanimated = nullptr;

Tfanimated::Tfanimated() : TForm(QStringLiteral("fanimated")) {
    SetCaption(QStringLiteral("Animated texture Managger"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    SetBounds(70, 7, 551, 293);
    FormCreate();
}
