// The keyboard in the two page views: Tab reaches them, the arrow keys move the level view's selected
// tile and the source view's cursor, and Enter copies the source tile under the cursor.
#include <algorithm>

#include "app/bitmap_drawing.h"
#include "app/main_window.h"
#include "level/layout.h"
#include "widgets/platform.h"

namespace {

constexpr int kTile = 64;
using pw::layout::kPageSide;

// The step an arrow key moves a tile by, or nothing for any other key.
bool ArrowStep(int key, int& dx, int& dy) {
    dx = key == Qt::Key_Left ? -kTile : key == Qt::Key_Right ? kTile : 0;
    dy = key == Qt::Key_Up ? -kTile : key == Qt::Key_Down ? kTile : 0;
    return dx != 0 || dy != 0;
}

// Arrow and Enter keys may carry the keypad flag; any other modifier makes them another command.
bool Plain(Qt::KeyboardModifiers shift) {
    return (shift & ~Qt::KeypadModifier) == Qt::NoModifier;
}

int Inside(int value) {
    return std::clamp(value, 0, kPageSide - kTile);
}

} // namespace

void TForm1::ConnectViewKeys() {
    Image1->SetTabStop(true);
    Image2->SetTabStop(true);
    Image1->OnKeyDown = [this](int key, Qt::KeyboardModifiers shift) { return Image1KeyDown(key, shift); };
    Image2->OnKeyDown = [this](int key, Qt::KeyboardModifiers shift) { return Image2KeyDown(key, shift); };
    Image2->OnFocusChange = [this](bool) { ShowSourceCursor(); };
    // Left to right: the level's pages and page, the source's pages and page, then the page copy.
    setTabOrder(ComboBox1, Image1);
    setTabOrder(Image1, ComboBox2);
    setTabOrder(ComboBox2, Image2);
    setTabOrder(Image2, Button1);
    setTabOrder(Button1, ListBox1);
}

bool TForm1::Image1KeyDown(int key, Qt::KeyboardModifiers shift) {
    int dx = 0;
    int dy = 0;
    if (!LevelOpen() || !Plain(shift) || !ArrowStep(key, dx, dy))
        return false;
    const TRect& tile = doc_.SelectedTile();
    const int left = Inside(tile.Left + dx);
    const int top = Inside(tile.Top + dy);
    doc_.SetSelectedTile({left, top, left + kTile, top + kTile});
    ComboBox1Change();
    return true;
}

bool TForm1::Image2KeyDown(int key, Qt::KeyboardModifiers shift) {
    if (doc_.Source().PageCount() <= 0 || !Plain(shift))
        return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (LevelOpen()) {
            BusyCursor busy;
            doc_.CopyTile(LevelPage, SourcePage, SourceCursor.x(), SourceCursor.y());
        }
        return true;
    }
    int dx = 0;
    int dy = 0;
    if (!ArrowStep(key, dx, dy))
        return false;
    SourceCursor = {Inside(SourceCursor.x() + dx), Inside(SourceCursor.y() + dy)};
    ShowSourceCursor();
    return true;
}

// The cursor's yellow frame is drawn on the source view only while the view has the focus.
void TForm1::ShowSourceCursor() {
    if (SourcePageView.isNull())
        return;
    Image2->SetPicture(SourcePageView);
    if (!Image2->hasFocus())
        return;
    FrameRect(Image2->Picture(),
              {SourceCursor.x(), SourceCursor.y(), SourceCursor.x() + kTile, SourceCursor.y() + kTile},
              qRgb(255, 255, 0));
    Image2->Changed();
}
