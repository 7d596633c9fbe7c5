// TLocalisation, the language window. It owns the translation stores, registers the program's windows
// when it is created and applies the chosen language to them. In its compact mode it only offers the
// language; Shift+F2 opens the translation editor: every text of every window in a tree, red bullets
// on untranslated texts, in-place editing, a search, a reference language and saving.
#pragma once

#include <array>
#include <functional>

#include "localisation/form_list.h"
#include "localisation/languages.h"
#include "widgets/t_form.h"

class QComboBox;
class QPainter;
class QTreeWidgetItem;
class TButton;
class TComboBox;
class TEdit;
class TImageList;
class TLabel;
class TListBox;
class TTreeView;

class TLocalisation : public TForm {
    Q_OBJECT

public:
    TLocalisation();
    ~TLocalisation() override;

    void FormCreate();

    // Called once at start-up with the stored language identifier.
    void SelectLanguageById(unsigned id);

    // Handlers, named as bound in the window.
    void OnClickExit();
    void OnClickSave();
    void cbLanguageChange();
    // False, after saying why, when `file` exists but is no language file that can be read.
    bool LanguageFileReadable(const QString& file);
    void cbSecondaryLanguageChange();
    void TreeViewChange(QTreeWidgetItem* node);
    void OnElementEditing(QTreeWidgetItem* node);
    void OnElementEdited(QTreeWidgetItem* node, const QString& text);
    void ButtonNextClick();
    void EditTextKeyPress();
    void OnKeyDownHandler(int& key, Qt::KeyboardModifiers shift);
    void TreeViewKeyDown(int& key, Qt::KeyboardModifiers shift);
    // Draws item `index` of either language box: grey italic for a language without a file.
    void ComboBoxLanguageDrawItem(const QComboBox* box, QPainter& painter, const QRect& rect, int index,
                                  bool selected) const;

    // Operations of the editor.
    void OpenEditor();
    void Rescan();
    void RefreshTreeKeepSelection();
    void ToggleNew(QTreeWidgetItem* node);
    void ToggleNewAll();
    void ClearNewFlags();
    void PurgeAbsentEntries(bool with_forms);
    // Saves the current language; false when no language is chosen or the file was not written.
    bool SaveLanguage();
    void CopyTableToClipboard();

    bool EditorOpen() const;
    bool IsEditingNode() const;

    TLabel* Language;
    TComboBox* ComboBoxLanguage;
    TButton* ButtonExit;
    TButton* ButtonSave;
    TComboBox* cbSecondaryLanguage;
    TButton* ButtonNextNewElement;
    TEdit* EditText;
    TTreeView* TreeView;
    // Hidden lists of translatable message texts.
    TListBox* Constants;
    TListBox* DialogCaptions;
    TListBox* ButtonCaptions;
    TImageList* ImageList;

    TFormList PrimaryStore;
    TFormList SecondaryStore;
    int CurrentIndex = -1;
    quint16 CurrentLangId = 0;
    bool Modified = false;
    bool UseDefaultFile = false;
    std::array<bool, LanguageCount> Available{};
    int MinWidth = 0;
    int MinHeight = 0;
    // The help file of the current language.
    QString HelpFile;
    // Raised after a language switch.
    std::function<void(TLocalisation*)> OnLanguageChange;

signals:
    // Texts were written into the live windows (a language applied, a text edited, a rescan): windows
    // that show run-time data in translated controls show it again.
    void TextsApplied();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    TComboBox* LanguageBox(const QString& name);
    void FormResize();
    void FormClose();
    // The minimum (and, in compact mode, maximum) track size.
    void UpdateTrackLimits();
    void SetWindowSize(int width, int height);
    void SetCompactSize();
    // Asks the save question; false when the user cancels.
    bool AskToSave();
    void RepaintLanguageBoxes();
    void FocusTree();
    QString LanguageHint(int index, const QString& item_text) const;
    // The node after `from` (the first for none) that `matches`, wrapping once to the top.
    QTreeWidgetItem* NextNode(QTreeWidgetItem* from, const std::function<bool(QTreeWidgetItem*)>& matches);
    bool OwnedNode(QTreeWidgetItem* node) const;
    QTreeWidgetItem* editing_ = nullptr;
};

extern TLocalisation* Localisation;
