// Tfanimated, the animated-texture window. For now an empty window; its lists, preview and commands
// come with the animated-texture manager.
#pragma once

#include "widgets/t_form.h"

class Tfanimated : public TForm {
    Q_OBJECT

public:
    Tfanimated();

    void FormCreate() {}
    // Fills the window's working copy of the animated-texture sets from the open level.
    void LoadAnimatedSets() {}
};

extern Tfanimated* fanimated;
