// Copying tiles and pages from the source into the level, choosing the destination tile, picking the
// texture under the pointer, and Edit > Copy / Paste of texture records.
#include <algorithm>

#include "app/bitmap_drawing.h"
#include "app/main_window.h"
#include "level/object_textures.h"
#include "widgets/platform.h"

namespace {

constexpr int kTile = 64;

} // namespace

void TForm1::Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    if (!LevelOpen())
        return;
    if (shift & Qt::ShiftModifier) {
        // A mouse selection starts; the drag is followed by Image1MouseMove.
        if (MouseSelectionShown)
            RestoreViewBackup();
        MouseSelecting = true;
        MouseSelection.Left = MouseSelection.Right = x / 16 * 16;
        MouseSelection.Top = MouseSelection.Bottom = y / 16 * 16;
        ViewBackup = Image1->Picture().copy();
        MouseSelectionShown = false;
        return;
    }
    if (button == Qt::LeftButton) {
        const int left = std::clamp(x, 0, 255) / kTile * kTile;
        const int top = std::clamp(y, 0, 255) / kTile * kTile;
        doc_.SetSelectedTile({left, top, left + kTile, top + kTile});
        ComboBox1Change();
        return;
    }
    const int texture = pw::TextureAtPoint(doc_.Level(), LevelPage, x, y);
    if (texture >= 0) {
        ListBox1->SetItemIndex(texture);
        ListBox1Click();
    }
}

void TForm1::Image2MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    if (!LevelOpen())
        return;
    BusyCursor busy;
    doc_.CopyTile(LevelPage, SourcePage, std::clamp(x, 0, 255), std::clamp(y, 0, 255));
}

void TForm1::Button1Click() {
    if (!LevelOpen())
        return;
    BusyCursor busy;
    doc_.CopyPage(LevelPage, SourcePage);
}

// After a copy: the view when it shows that page, and the preview.
void TForm1::ShowChangedPage(int page) {
    if (page == LevelPage)
        ComboBox1Change();
    ListBox1Click();
}

void TForm1::Copy1Click() {
    const int index = Table->Selected();
    if (index < 0)
        return;
    Paste1->SetEnabled(true);
    CopiedTexture = index;
    QImage& preview = Image3->Picture();
    FrameRect(preview, {0, 0, preview.width(), preview.height()}, qRgb(255, 255, 255));
    Image3->Changed();
}

void TForm1::Paste1Click() {
    const int index = Table->Selected();
    if (index < 0 || CopiedTexture < 0)
        return;
    doc_.PasteTexture(CopiedTexture, index);
}
