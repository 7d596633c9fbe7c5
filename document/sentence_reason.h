// A reason shown on its own, as the first words of a message box, begins with a capital; the picture
// files word their reasons to follow other words.
#pragma once

#include "level/result.h"

// `result` with the first letter of its reason made a capital.
pw::Result AsSentence(pw::Result result);
