// The language window's language choice: switching the current and the reference language, saving the
// current one, the language chosen at start-up, and how the language boxes draw their items.
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include "localisation/language_window.h"
#include "localisation/qt_translations.h"
#include "widgets/platform.h"
#include "widgets/t_button.h"
#include "widgets/t_combo_box.h"
#include "widgets/t_tree_view.h"

namespace {

bool ValidIndex(int index) {
    return index >= 0 && index < LanguageCount;
}

const TLanguage& LanguageAt(int index) {
    return Languages()[static_cast<std::size_t>(index)];
}

} // namespace

// The system's name of the language, shown as the box's hint when it says more than the item.
QString TLocalisation::LanguageHint(int index, const QString& item_text) const {
    const QString name = SystemLanguageName(LanguageAt(index).LangId).left(79);
    return name == item_text ? QString() : name;
}

// Reads `file` into a scratch store first, so that a damaged file merges nothing into the texts on
// show; says which file could not be read and why. A missing file is no fault (a new translation).
bool TLocalisation::LanguageFileReadable(const QString& file) {
    if (!QFileInfo::exists(file))
        return true;
    TFormList trial;
    if (trial.LoadFromFile(file))
        return true;
    CurrentPlatform().ShowError(this, trial.ErrorString());
    return false;
}

void TLocalisation::cbLanguageChange() {
    TreeView->setEnabled(true);
    ButtonSave->setEnabled(true);
    const int selected = ComboBoxLanguage->ItemIndex();
    if (!Modified && selected == CurrentIndex)
        return;
    if (Modified && !AskToSave()) {
        ComboBoxLanguage->SetItemIndex(CurrentIndex);
        return;
    }
    // A file that cannot be read changes nothing: the language on show stays the chosen one.
    if (ValidIndex(selected) && !LanguageFileReadable(LanguageFileName(LanguageAt(selected).Code))) {
        ComboBoxLanguage->SetItemIndex(CurrentIndex);
        return;
    }
    CurrentIndex = selected;
    bool loaded = false;
    if (ValidIndex(CurrentIndex)) {
        const QString file = LanguageFileName(LanguageAt(CurrentIndex).Code);
        loaded = QFile::exists(file) && PrimaryStore.LoadFromFile(file);
    }
    CurrentLangId = PrimaryStore.LangId;
    ApplyQtTranslations(CurrentLangId);
    if (loaded) {
        ComboBoxLanguage->SetHint(
            LanguageHint(CurrentIndex, ComboBoxLanguage->Items()->Strings(CurrentIndex)));
        {
            const BusyCursor hourglass;
            PrimaryStore.ApplyAll();
        }
        emit TextsApplied();
        if (UseDefaultFile)
            CopyToDefaultLanguageFile(LanguageFileName(LanguageAt(CurrentIndex).Code));
        Modified = false;
    } else if (ValidIndex(CurrentIndex)) {
        // The texts on show become the start of the new language's translation.
        PrimaryStore.LangId = LanguageAt(CurrentIndex).LangId;
    }
    RefreshTreeKeepSelection();
    FocusTree();
    ComboBoxLanguage->SetItemIndex(CurrentIndex);
    HelpFile = ValidIndex(CurrentIndex) ? HelpFileName(LanguageAt(CurrentIndex).Code) : QString();
    if (OnLanguageChange)
        OnLanguageChange(this);
}

void TLocalisation::cbSecondaryLanguageChange() {
    SecondaryStore.Clear();
    const int index = cbSecondaryLanguage->ItemIndex();
    if (ValidIndex(index)) {
        cbSecondaryLanguage->SetHint(LanguageHint(index, cbSecondaryLanguage->Items()->Strings(index)));
        const QString file = LanguageFileName(LanguageAt(index).Code);
        if (QFile::exists(file))
            SecondaryStore.LoadFromFile(file);
    }
    if (QTreeWidgetItem* node = TreeView->currentItem())
        TreeViewChange(node);
}

bool TLocalisation::SaveLanguage() {
    if (!ValidIndex(CurrentIndex))
        return false;
    const bool written = SaveLanguageFile(PrimaryStore, CurrentIndex, UseDefaultFile);
    Available[static_cast<std::size_t>(CurrentIndex)] =
        QFile::exists(LanguageFileName(LanguageAt(CurrentIndex).Code));
    if (written)
        Modified = false;
    return written;
}

// A file that could not be written is reported; the previous file stays in place.
void TLocalisation::OnClickSave() {
    if (!SaveLanguage()) {
        if (ValidIndex(CurrentIndex)) {
            const QString error = PrimaryStore.ErrorString();
            CurrentPlatform().ShowError(
                this, error.isEmpty() ? QStringLiteral("Cannot write %1")
                                            .arg(LanguageSaveFileName(LanguageAt(CurrentIndex).Code))
                                      : error);
        }
        return;
    }
    RepaintLanguageBoxes();
    PrimaryStore.RefreshTree();
}

void TLocalisation::RepaintLanguageBoxes() {
    for (QComboBox* box :
         {static_cast<QComboBox*>(ComboBoxLanguage), static_cast<QComboBox*>(cbSecondaryLanguage)}) {
        box->update();
        box->view()->viewport()->update();
    }
}

void TLocalisation::SelectLanguageById(unsigned id) {
    const int index = id <= 0xFFFF ? LanguageIndexOf(static_cast<quint16>(id)) : -1;
    if (!ValidIndex(index))
        return;
    const bool exists = QFile::exists(LanguageFileName(LanguageAt(index).Code));
    Available[static_cast<std::size_t>(index)] = exists;
    RepaintLanguageBoxes();
    if (!exists)
        return;
    ComboBoxLanguage->SetItemIndex(index);
    cbLanguageChange();
}

void TLocalisation::ComboBoxLanguageDrawItem(const QComboBox* box, QPainter& painter, const QRect& rect,
                                             int index, bool selected) const {
    if (!ValidIndex(index) || index >= box->count())
        return;
    const bool available = Available[static_cast<std::size_t>(index)];
    const QPalette& palette = box->palette();
    QColor colour = available ? palette.color(QPalette::Active, QPalette::Text)
                              : palette.color(QPalette::Disabled, QPalette::Text);
    if (selected)
        colour = palette.color(QPalette::Active, QPalette::HighlightedText);
    QFont font = box->font();
    font.setItalic(!available);
    painter.save();
    painter.setClipRect(rect);
    painter.setPen(colour);
    painter.setFont(font);
    painter.drawText(rect.adjusted(1, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     box->itemText(index));
    painter.restore();
}
