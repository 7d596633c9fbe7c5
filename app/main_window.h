// TForm1, the main window: the views of the open level and of the texture source, the texture table and
// the menu. The level, the source and the selections live in the LevelDocument it is given; its handlers
// call the document and the views refresh from the document's signals.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include "app/message_texts.h"
#include "app/outside_editing.h"
#include "app/recent_files.h"
#include "document/level_document.h"
#include "document/t_rect.h"
#include "level/trlevel.h"
#include "texture_windows/texture_table.h"
#include "texture_windows/texture_use_text.h"
#include "widgets/t_button.h"
#include "widgets/t_check_box.h"
#include "widgets/t_combo_box.h"
#include "widgets/t_form.h"
#include "widgets/t_group_box.h"
#include "widgets/t_image.h"
#include "widgets/t_label.h"
#include "widgets/t_list_box.h"
#include "widgets/t_main_menu.h"
#include "widgets/t_menu_item.h"
#include "widgets/text_table.h"

class TForm1 : public TForm {
    Q_OBJECT

public:
    explicit TForm1(LevelDocument& document);
    ~TForm1() override;

    LevelDocument& Document() const { return doc_; }

    // Opens a level file as File > Open does (the command line's level).
    void OpenLevelFile(const QString& path);
    // Reads the stored placement, language, recent files and choices (once every window exists).
    void LoadSettings();

    // What other windows and the language engine call, through the connections made at start-up.
    // Shows level page `page` as picking it in the page list does.
    void ShowLevelPage(int page);
    // The menu commands that have keys, for other windows to share, so that the keys work there too.
    QList<QAction*> ShortcutActions() const;
    // Selects entry `index` of the texture table as a click on its line does.
    void SelectTexture(int index);
    // Sets the recent-file items' captions from RecentFiles again, as applying a language replaces them.
    void ShowRecentFiles();
    // Shows the page boxes' captions and the texts shown for no file in the current language.
    void ShowDataCaptions();
    // The Undo and Redo items name the steps they would take (again after a language is applied).
    void ShowHistorySteps();
    // The generated list entries again, in the current language (after a language is applied).
    void ShowListEntries();

    // The texts filled in while the window runs (app/message_texts.h), each table a hidden list.
    TextTable<PageText> PageTexts;
    TextTable<StepKind> StepTexts;
    TextTable<FileNameText> FileTexts;
    TextTable<MessageText> MessageTexts;
    TextTable<EntryText> EntryTexts;
    TextTable<int> ReasonTexts; // the reasons a page picture is refused for, as ReasonTextPatterns()
    // "Edit page 3 outside" in the current language.
    QString StepText(HistoryStep step) const;

signals:
    // The level page view shows another page.
    void LevelPageShown(int page);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A file dropped on the window opens as a level; dropped on the source view, as the texture source.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Controls.
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TComboBox* ComboBox1;
    TGroupBox* GroupBox1;
    TImage* Image1;
    TGroupBox* GroupBox2;
    TImage* Image2;
    TComboBox* ComboBox2;
    TButton* Button1;
    TGroupBox* GroupBox3;
    TImage* Image3;
    TListBox* ListBox1;
    TComboBox* ComboBox3;
    TCheckBox* CheckBox1;
    TCheckBox* CheckBox2;
    TButton* Button2;
    TLabel* Label5;
    TLabel* Label6;
    TLabel* Label7; // the selected texture's size, beside its enlarged preview
    TLabel* Label8; // what uses the selected texture ("38 room faces, 2 mesh faces"), beside its size

    // Menu.
    TMainMenu* MainMenu1;
    TMenuItem* File1;
    TMenuItem* OpenLevel1;
    TMenuItem* Save1;
    TMenuItem* SaveAs1;
    TMenuItem* N1;
    TMenuItem* openimage1;
    TMenuItem* ExporttoImage1;
    TMenuItem* N2;
    TMenuItem* Exit2;
    TMenuItem* N3;
    TMenuItem* None1;
    TMenuItem* None2;
    TMenuItem* None3;
    TMenuItem* None4;
    TMenuItem* None5;
    TMenuItem* Edit1;
    TMenuItem* Undo1; // takes back the last step of the history
    TMenuItem* Redo1; // does the step taken back again
    TMenuItem* N6;
    TMenuItem* Copy1;
    TMenuItem* Paste1;
    TMenuItem* GoToTexture1; // selects a texture by its number
    TMenuItem* Textures1;
    TMenuItem* AddNewPage1;
    TMenuItem* CompactPages1; // packs the used art into as few pages as it needs
    TMenuItem* Define64x64textures1;
    TMenuItem* Define64x48textures1;
    TMenuItem* Define64x32textures1;
    TMenuItem* Define64x16textures1;
    TMenuItem* N5;
    TMenuItem* Definemouseselected1;
    TMenuItem* N7;
    TMenuItem* DitherPictures1; // checked: copies from pictures diffuse the error into 8-bit pages
    TMenuItem* PageMap1;        // opens the page map
    TMenuItem* Textures2;
    TMenuItem* AnimatedTextures1;
    TMenuItem* About1;
    TMenuItem* Help1;
    TMenuItem* Abaout1;
    TMenuItem* N4;
    TMenuItem* Languaje1;
    TMenuItem* ExportPages1;     // File: every page as a .png into a folder
    TMenuItem* ImportPages1;     // File: the pages' .png files of a folder back in, as one step
    TMenuItem* EditPageOutside1; // Pages: the shown page into another program, followed as it saves
    TMenuItem* N8;
    TMenuItem* MergeDuplicates1; // merges object textures that are exact copies, as one step
    TMenuItem* RemoveUnused1;    // removes object textures nothing uses, as one step

    // View state. The level, its file name, the source and the selected tile are the document's.
    int LevelPage = 0;
    int SourcePage = 0;
    QImage LevelPageView;
    QImage SourcePageView;
    QImage ViewBackup;
    bool MouseSelecting = false;
    bool MouseSelectionShown = false;
    TRect MouseSelection;
    QStringList RecentFiles;
    int CopiedTexture = -1; // -1: nothing copied
    // The source view's keyboard cursor: the top-left corner of the tile Enter copies.
    QPoint SourceCursor;
    // The texture table of GroupBox3.
    std::unique_ptr<TextureTable> Table;

    // The window caption while no level is open.
    static QString NoLevelCaption() { return QStringLiteral("Kestrel's Pagewright"); }

    bool LevelOpen() const { return doc_.HasLevel(); }
    // The status bar's text: the mouse rectangle's corners, labelled.
    QString StatusText() const;

    void FormCreate();
    void FormClose();
    // With unsaved changes, asks whether to save them first. True when the caller may go on: nothing
    // to save, the user discarded the changes, or they were saved.
    bool SaveChangesFirst();

    void OpenLevel1Click();
    void Exit2Click();
    void Help1Click();
    void Abaout1Click();
    void Languaje1Click();
    void AnimatedTextures1Click();
    void PageMap1Click();

    // Texture sources and copying.
    void openimage1Click();
    // Opens a level or a .bmp/.png as the texture source, as File > Open Texture images does.
    void OpenSourceFile(const QString& path);
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Image2MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Button1Click();
    void Copy1Click();
    void Paste1Click();
    void GoToTexture1Click();
    void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
    // Keys in the focused views; true when the key was used.
    bool Image1KeyDown(int key, Qt::KeyboardModifiers shift);
    bool Image2KeyDown(int key, Qt::KeyboardModifiers shift);

    // Texture table.
    void ListBox1Click();
    void ComboBox3Change();
    void CheckBox1Click();
    void CheckBox2Click();
    void Button2Click();
    void DefineGridTextures(int height);
    void Definemouseselected1Click();
    void DitherPictures1Click();
    void MergeDuplicates1Click();
    void RemoveUnused1Click();
    // Says what the clean-up would do, asks, and does it as one step.
    void CleanTextures(bool merge, bool remove);
    TextureUsePatterns UsePatterns() const;

    // Page display.
    void PrepareLevelViews();
    void ComboBox1Change();
    void ComboBox2Change();

    // Saving, new pages and export.
    void Save1Click();
    void SaveAs1Click();
    void AddNewPage1Click();
    void CompactPages1Click();
    // Asks before the level grows to `pages` pages past the game engine's limit (No is the default
    // button); true when it may.
    bool MayGrowPastEngineLimit(int pages);
    void ExporttoImage1Click();
    void ExportPages1Click();
    void ImportPages1Click();
    void EditPageOutside1Click();
    // The pages out in another program (a child of the window, named "OutsideEditing").
    OutsideEditing* Outside = nullptr;
    // The page map has a place (from the settings, or beside this window when it first opened).
    bool page_map_placed_ = false;

    // Settings and recent files.
    void SaveSettings();
    void AddRecentFile(const QString& path);
    void RecentFileClick(TMenuItem* sender);
    // "Page:3/12" in the current language, for page 2 (from 0) of 12.
    QString PageCaption(int page, int count) const;
    // The message for a level file the reader refused (shown by File > Open and by source opening).
    QString RefusedLevelMessage(const QString& path, const QString& reason) const;
    // Why the level file `path` was not read, shown as File > Open and source opening show it.
    void ShowLevelNotRead(const QString& path, const pw::Result& result);
    // A message, dialog or progress text in the current language, placeholders still to fill.
    QString Text(MessageText text) const;
    // A reason the picture files gave, in the current language.
    QString Reason(const QString& english) const;
    // A generated list entry in the current language: "Page#3" for EntryText::page and 3.
    QString Entry(EntryText entry, int number) const;
    // The page list's entries "Page#1" to "Page#count".
    QStringList PageEntries(int count) const;
    // One file dialog filter entry: "name (shown)|patterns".
    QString FilterEntry(MessageText name, const QString& shown, const QString& patterns) const;

    void CreateControls();
    void CreateTextureTable();
    void CreateMenu();
    void CreateFileMenu();
    void CreateEditMenu();
    void CreatePagesMenu();
    void CreateHelpMenus();
    TMenuItem* AddMenuItem(TMenuItem* parent, const QString& name, const QString& caption,
                           const QKeySequence& shortcut = {});

    void ShowLoadedLevel(const QString& path);
    void ShowNoLevel();
    void LoadLevelPageView();
    void ShowTransparentColour();
    void ConnectDocument();
    void ConnectEditing();
    void ConnectSaving();
    void ConnectPageFolders();
    void ConnectHistory();
    void ConnectViewKeys();
    void ShowSourceCursor();
    void EnableLevelCommands();
    // The caption names the level's file, marked while it has unsaved changes.
    void ShowCaption();
    void ShowRemovedPage(int page);
    void ShowPageList(int page);
    bool SaveLevelShowingProgress(const QString& path);
    // Says so and gives true when `path` is a folder.
    bool RefuseFolder(const QString& path);
    // The name Save As writes the level under (see file_name_checks.cpp); empty when the user declined.
    QString LevelSaveName(const QString& chosen);
    void ShowAddedPage(int page);
    void ShowLevelFromDocument();
    void ShowSource();
    // "<----" only with a level and a source to copy from.
    void EnableCopyCommands();
    void ShowChangedPage(int page);
    void ShowTextures();
    void DrawMouseSelection();
    void RestoreViewBackup();

    void RestorePlacement();
    void RestoreRecentFiles();
    std::array<TMenuItem*, kMaxRecentFiles> RecentFileItems() const;

    LevelDocument& doc_;
};

extern TForm1* Form1;
