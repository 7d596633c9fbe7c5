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

void TForm1::MergeDuplicates1Click() {
    CleanTextures(true, false);
}

void TForm1::RemoveUnused1Click() {
    CleanTextures(false, true);
}

// Nothing changes before the user has read what will happen and agreed.
void TForm1::CleanTextures(bool merge, bool remove) {
    if (!LevelOpen())
        return;
    const pw::TextureCleanupPlan plan = doc_.PlanTextureCleanup(merge, remove);
    Platform& platform = CurrentPlatform();
    if (!plan.refused.empty()) {
        platform.ShowError(this, Text(MessageText::clean_refused).arg(QString::fromStdString(plan.refused)));
        return;
    }
    if (!plan.Changes()) {
        platform.ShowMessage(this, Text(merge ? MessageText::no_duplicates : MessageText::no_unused));
        return;
    }
    QStringList parts;
    if (!plan.merged.empty())
        parts.append(Text(MessageText::clean_merged).arg(plan.MergedAway()).arg(plan.merged.size()));
    if (!plan.removed.empty())
        parts.append(Text(MessageText::clean_removed).arg(plan.removed.size()));
    if (plan.FirstRenumbered() < plan.before)
        parts.append(Text(MessageText::clean_renumbered).arg(plan.FirstRenumbered()));
    const QString question = Text(MessageText::clean_question).arg(parts.join(QStringLiteral("; ")));
    if (platform.Ask(this, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    BusyCursor busy;
    doc_.CleanTextures(merge, remove);
}

TextureUsePatterns TForm1::UsePatterns() const {
    return {Text(MessageText::use_room_faces), Text(MessageText::use_mesh_faces),
            Text(MessageText::use_animated_sets), Text(MessageText::use_unused)};
}
