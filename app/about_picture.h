// The About window's picture: a texture page of coloured 64 x 64 tiles, drawn at run time.
#pragma once

#include <QImage>

QImage AboutPicture();
