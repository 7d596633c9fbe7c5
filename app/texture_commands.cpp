// The texture-table handlers of the main window: selection and preview, attribute, mirroring, cloning
// and the grid definitions. The table logic itself is TextureTable's.
#include <algorithm>

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
        CurrentPlatform().ShowMessage(this, Text(MessageText::cloned_texture).arg(clone));
}

// Selects a texture by its number: quicker than scrolling through a list of thousands.
void TForm1::GoToTexture1Click() {
    const int count = LevelOpen() ? ListBox1->Items()->Count() : 0;
    if (count == 0)
        return;
    const std::optional<int> number = CurrentPlatform().AskNumber(
        this, Text(MessageText::go_to_texture_title), Text(MessageText::go_to_texture_label).arg(count - 1),
        std::max(Table->Selected(), 0), 0, count - 1);
    if (!number)
        return;
    ListBox1->SetItemIndex(*number);
    ListBox1Click();
    ListBox1->setFocus();
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
