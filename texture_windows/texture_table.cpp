#include "texture_windows/texture_table.h"

#include <QStringList>

#include "document/level_document.h"
#include "level/object_textures.h"
#include "texture_windows/texture_preview.h"

TextureTable::TextureTable(LevelDocument& document, TextureTableControls controls)
    : doc_(document), c_(controls) {}

int TextureTable::Selected() const {
    const int index = c_.List->ItemIndex();
    return doc_.HasTexture(index) ? index : -1;
}

void TextureTable::Refresh() {
    const int index = Selected();
    if (index < 0)
        return;
    doc_.SetSelectedTexture(index);
    const pw::tobjtexture& texture = doc_.Level().object_textures[static_cast<std::size_t>(index)];
    const QImage preview = BuildTexturePreview(doc_.Level(), texture);
    c_.Preview->SetPicture(ScalePreviewToFit(preview, c_.PreviewBox));
    if (c_.Size)
        c_.Size->SetCaption(QStringLiteral("%1 \u00D7 %2").arg(preview.width()).arg(preview.height()));
    if (c_.Use && UseText)
        c_.Use->SetCaption(UseText(index));
    c_.Attribute->SetItemIndex(texture.attribute <= 2 ? texture.attribute : -1);

    const pw::MirrorState mirror = pw::ReadMirrorState(texture);
    UpdatingTextureControls = true;
    c_.FlipH->SetChecked(mirror.horizontal);
    c_.FlipV->SetChecked(mirror.vertical);
    UpdatingTextureControls = false;
}

void TextureTable::ShowLines() {
    const int count = std::max(doc_.Level().num_object_textures, 0);
    TStrings* items = c_.List->Items();
    // Lines are appended while the table grows; fewer entries or another language rebuild them all.
    if (items->Count() > count || (items->Count() > 0 && items->Strings(0) != LineText(0))) {
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines.append(LineText(i));
        items->Assign(lines);
    }
    for (int i = items->Count(); i < count; ++i)
        items->Add(LineText(i));
    c_.List->SetItemIndex(doc_.SelectedTexture() < count ? doc_.SelectedTexture() : -1);
}

void TextureTable::Clear() {
    c_.List->Items()->Clear();
    c_.Preview->ClearPicture();
    if (c_.Size)
        c_.Size->SetCaption(QString());
    if (c_.Use)
        c_.Use->SetCaption(QString());
}

void TextureTable::AttributeChosen() {
    const int index = Selected();
    const int attribute = c_.Attribute->ItemIndex();
    if (index >= 0 && attribute >= 0)
        doc_.SetAttribute(index, attribute);
}

void TextureTable::FlipClicked(bool horizontal) {
    if (UpdatingTextureControls)
        return;
    const int index = Selected();
    if (index >= 0)
        doc_.MirrorTexture(index, horizontal); // the table is shown again from TexturesChanged
}
