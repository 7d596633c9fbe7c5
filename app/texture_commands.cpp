// The texture-table handlers of the main window: selection and preview, attribute, mirroring, cloning
// and the grid definitions. The table logic itself is TextureTable's.
#include "app/main_window.h"
#include "widgets/platform.h"

void TForm1::ListBox1Click() {
    if (LevelOpen())
        Table->Refresh();
}

void TForm1::ComboBox3Change() {
    if (LevelOpen())
        Table->AttributeChosen();
}

void TForm1::CheckBox1Click() {
    if (LevelOpen())
        Table->FlipClicked(true);
}

void TForm1::CheckBox2Click() {
    if (LevelOpen())
        Table->FlipClicked(false);
}

void TForm1::Button2Click() {
    if (!LevelOpen())
        return;
    const int clone = doc_.CloneTexture(Table->Selected());
    if (clone >= 0)
        CurrentPlatform().ShowMessage(this, QStringLiteral("Cloned Texture ID: %1").arg(clone));
}

void TForm1::DefineGridTextures(int height) {
    if (LevelOpen())
        doc_.DefineGrid(LevelPage, height);
}

// After the table changed: its lines, the selection the document chose, and the preview.
void TForm1::ShowTextures() {
    Table->ShowLines();
    ListBox1Click();
}
