// The four bullets of the translation tree, in the order the tree uses them: green, green hatched, red,
// red hatched. Hatched bullets stand for texts of components the program no longer has.
#pragma once

#include <QImage>
#include <QList>

QList<QImage> TranslationBullets();
