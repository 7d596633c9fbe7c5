// Keeping a window where the user can reach it when its bounds come from outside the program
// (stored settings): a sane size, and a title bar on one of the screens there are.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Bounds as stored: left, top and the outer width and height, any int values.
struct WindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The smallest outer size a restored window gets.
inline constexpr QSize kMinimumWindowSize{200, 150};

// `wanted` made usable on `screens` (their available areas, the primary one first): the size is at
// least `minimum` and at most the size of the screen the window lands on; when too little of the
// window's title strip lies on any screen, the window is moved onto the screen it overlaps most, or
// onto the primary screen. Without screens only the size limits apply.
QRect VisibleWindowBounds(const WindowBounds& wanted, const QList<QRect>& screens,
                          QSize minimum = kMinimumWindowSize);

// Where a window of `size` first opens beside the window `main` (both outer frames): right of it, else
// left of it, tops level and kept on the screen `main` overlaps most; over `main`, moved down and right
// by a title bar's height, when neither side of that screen has room.
QRect BesideWindow(const QRect& main, QSize size, const QList<QRect>& screens);

// The available areas of the screens attached, the primary one first.
QList<QRect> AvailableScreenAreas();
