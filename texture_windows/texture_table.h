// The texture table of the main window: the list of object textures, the preview of the selected one,
// its attribute and its mirroring. It works on the level document; the list line i always stands for
// table entry i.
#pragma once

#include <functional>

#include <QImage>
#include <QString>

#include "widgets/t_check_box.h"
#include "widgets/t_combo_box.h"
#include "widgets/t_image.h"
#include "widgets/t_label.h"
#include "widgets/t_list_box.h"

class LevelDocument;

struct TextureTableControls {
    TListBox* List = nullptr;       // ListBox1
    TImage* Preview = nullptr;      // Image3
    TComboBox* Attribute = nullptr; // ComboBox3
    TCheckBox* FlipH = nullptr;     // CheckBox1
    TCheckBox* FlipV = nullptr;     // CheckBox2
    TLabel* Size = nullptr;         // the texture's size beside the preview, "16 × 16"
    QSize PreviewBox;               // the room the preview is enlarged to fill
    TLabel* Use = nullptr;          // what uses the texture, beside its size (UseText)
};

class TextureTable {
public:
    TextureTable(LevelDocument& document, TextureTableControls controls);

    // True while Refresh sets the check boxes, so that their click handlers do not mirror again.
    bool UpdatingTextureControls = false;
    // The text of list line i ("Texture#i"), in the current language.
    std::function<QString(int)> LineText = [](int index) { return QStringLiteral("Texture#%1").arg(index); };
    // What uses entry i ("38 room faces, 2 mesh faces"), shown in the Use label.
    std::function<QString(int)> UseText;

    // The selected list line, when it names an entry of the table; -1 otherwise.
    int Selected() const;
    // Rebuilds the preview, attribute and check boxes from the selected entry.
    void Refresh();
    // One line per entry, in the current LineText; the selection moves to the document's SelectedTexture.
    void ShowLines();
    void Clear();

    void AttributeChosen();
    void FlipClicked(bool horizontal);

private:
    LevelDocument& doc_;
    TextureTableControls c_;
};
