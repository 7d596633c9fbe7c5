// The mouse rectangle in the level view: dragged out with Shift held, snapped to 16 pixels, kept inside
// the page, moved with Shift+A/S/E/D, and turned into a texture by Pages > Define mouse selected.
#include <algorithm>

#include <QStatusBar>

#include "app/bitmap_drawing.h"
#include "app/main_window.h"
#include "level/layout.h"

namespace {

constexpr int kSnap = 16;
using pw::layout::kPageSide;

int Snap(int value) {
    return std::clamp(value, 0, kPageSide) / kSnap * kSnap;
}

// Moves the rectangle by (dx, dy) as far as the page allows, keeping its size.
void MoveInside(TRect& r, int dx, int dy) {
    dx = std::clamp(dx, -r.Left, kPageSide - r.Right);
    dy = std::clamp(dy, -r.Top, kPageSide - r.Bottom);
    r = {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

} // namespace

void TForm1::RestoreViewBackup() {
    if (ViewBackup.size() == Image1->Picture().size())
        Image1->SetPicture(ViewBackup);
}

void TForm1::DrawMouseSelection() {
    FrameRect(Image1->Picture(), MouseSelection, qRgb(255, 255, 255));
    Image1->Changed();
}

void TForm1::Image1MouseMove(Qt::KeyboardModifiers, int x, int y) {
    if (MouseSelecting && x > MouseSelection.Left && y > MouseSelection.Top) {
        RestoreViewBackup();
        MouseSelection.Right = Snap(x);
        MouseSelection.Bottom = Snap(y);
        DrawMouseSelection();
    }
    statusBar()->showMessage(StatusText());
}

void TForm1::Image1MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    if (!MouseSelecting)
        return;
    MouseSelecting = false;
    MouseSelectionShown = true;
}

// Shift+A/S/E/D move a shown rectangle; the key is consumed so that the focused control (the
// attribute box, the lists) does not act on it as well.
void TForm1::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
    if (!MouseSelectionShown || !(shift & Qt::ShiftModifier))
        return;
    int dx = 0;
    int dy = 0;
    switch (key) {
    case Qt::Key_A:
        dx = -kSnap;
        break;
    case Qt::Key_S:
        dx = kSnap;
        break;
    case Qt::Key_E:
        dy = -kSnap;
        break;
    case Qt::Key_D:
        dy = kSnap;
        break;
    default:
        return;
    }
    key = 0;
    RestoreViewBackup();
    MoveInside(MouseSelection, dx, dy);
    DrawMouseSelection();
    statusBar()->showMessage(StatusText()); // the corners follow the moved rectangle
}

void TForm1::Definemouseselected1Click() {
    if (!LevelOpen() || !MouseSelectionShown)
        return;
    const TRect rect = MouseSelection;
    RestoreViewBackup();
    MouseSelectionShown = false;
    doc_.DefineRectangle(LevelPage, rect);
}
