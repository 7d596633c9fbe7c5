// The main menu of the main window. Access keys are written into the captions by hand.
#include "app/main_window.h"

TMenuItem* TForm1::AddMenuItem(TMenuItem* parent, const QString& name, const QString& caption,
                               const QKeySequence& shortcut) {
    auto* item = new TMenuItem(this, name);
    item->SetCaption(caption);
    item->SetShortCut(shortcut);
    if (parent)
        parent->Add(item);
    else
        MainMenu1->Add(item);
    return item;
}

void TForm1::CreateMenu() {
    MainMenu1 = new TMainMenu(this, QStringLiteral("MainMenu1"));
    CreateFileMenu();
    CreateEditMenu();
    CreatePagesMenu();
    CreateHelpMenus();
}

void TForm1::CreateFileMenu() {
    File1 = AddMenuItem(nullptr, QStringLiteral("File1"), QStringLiteral("&File"));
    OpenLevel1 =
        AddMenuItem(File1, QStringLiteral("OpenLevel1"), QStringLiteral("&Open"), Qt::CTRL | Qt::Key_O);
    OpenLevel1->OnClick = [this] { OpenLevel1Click(); };
    Save1 = AddMenuItem(File1, QStringLiteral("Save1"), QStringLiteral("&Save"), Qt::CTRL | Qt::Key_S);
    SaveAs1 = AddMenuItem(File1, QStringLiteral("SaveAs1"), QStringLiteral("Save &As"));
    N1 = AddMenuItem(File1, QStringLiteral("N1"), QStringLiteral("-"));
    openimage1 =
        AddMenuItem(File1, QStringLiteral("openimage1"), QStringLiteral("Open &Texture images"), Qt::Key_F6);
    ExporttoImage1 = AddMenuItem(File1, QStringLiteral("ExporttoImage1"),
                                 QStringLiteral("Save Texture to &Bitmap"), Qt::Key_F5);
    ExportPages1 =
        AddMenuItem(File1, QStringLiteral("ExportPages1"), QStringLiteral("Export &Pages to Folder..."));
    ImportPages1 =
        AddMenuItem(File1, QStringLiteral("ImportPages1"), QStringLiteral("&Import Pages from Folder..."));
    N2 = AddMenuItem(File1, QStringLiteral("N2"), QStringLiteral("-"));
    Exit2 = AddMenuItem(File1, QStringLiteral("Exit2"), QStringLiteral("E&xit"), Qt::CTRL | Qt::Key_X);
    Exit2->OnClick = [this] { Exit2Click(); };
    N3 = AddMenuItem(File1, QStringLiteral("N3"), QStringLiteral("-"));
    None1 = AddMenuItem(File1, QStringLiteral("None1"), QStringLiteral("None"));
    None2 = AddMenuItem(File1, QStringLiteral("None2"), QStringLiteral("None"));
    None3 = AddMenuItem(File1, QStringLiteral("None3"), QStringLiteral("None"));
    None4 = AddMenuItem(File1, QStringLiteral("None4"), QStringLiteral("None"));
    None5 = AddMenuItem(File1, QStringLiteral("None5"), QStringLiteral("None"));
}

void TForm1::CreateEditMenu() {
    Edit1 = AddMenuItem(nullptr, QStringLiteral("Edit1"), QStringLiteral("&Edit"));
    Undo1 = AddMenuItem(Edit1, QStringLiteral("Undo1"), QStringLiteral("&Undo"), Qt::CTRL | Qt::Key_Z);
    Redo1 = AddMenuItem(Edit1, QStringLiteral("Redo1"), QStringLiteral("&Redo"), Qt::CTRL | Qt::Key_Y);
    Redo1->Action()->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    N6 = AddMenuItem(Edit1, QStringLiteral("N6"), QStringLiteral("-"));
    Copy1 = AddMenuItem(Edit1, QStringLiteral("Copy1"), QStringLiteral("&Copy"), Qt::CTRL | Qt::Key_C);
    Paste1 = AddMenuItem(Edit1, QStringLiteral("Paste1"), QStringLiteral("&Paste"), Qt::CTRL | Qt::Key_V);
    Paste1->SetEnabled(false);
    GoToTexture1 = AddMenuItem(Edit1, QStringLiteral("GoToTexture1"), QStringLiteral("&Go to texture..."),
                               Qt::CTRL | Qt::Key_G);
    GoToTexture1->OnClick = [this] { GoToTexture1Click(); };
}

void TForm1::CreatePagesMenu() {
    Textures1 = AddMenuItem(nullptr, QStringLiteral("Textures1"), QStringLiteral("&Pages"));
    AddNewPage1 = AddMenuItem(Textures1, QStringLiteral("AddNewPage1"), QStringLiteral("&Add new empty page"),
                              Qt::CTRL | Qt::Key_N);
    CompactPages1 =
        AddMenuItem(Textures1, QStringLiteral("CompactPages1"), QStringLiteral("&Compact Pages..."));
    CompactPages1->OnClick = [this] { CompactPages1Click(); };
    Define64x64textures1 = AddMenuItem(Textures1, QStringLiteral("Define64x64textures1"),
                                       QStringLiteral("Define 64x64 textures"));
    Define64x48textures1 = AddMenuItem(Textures1, QStringLiteral("Define64x48textures1"),
                                       QStringLiteral("Define 64x48 textures"));
    Define64x32textures1 = AddMenuItem(Textures1, QStringLiteral("Define64x32textures1"),
                                       QStringLiteral("Define 64x32 textures"));
    Define64x16textures1 = AddMenuItem(Textures1, QStringLiteral("Define64x16textures1"),
                                       QStringLiteral("Define 64x16 textures"));
    N5 = AddMenuItem(Textures1, QStringLiteral("N5"), QStringLiteral("-"));
    Definemouseselected1 = AddMenuItem(Textures1, QStringLiteral("Definemouseselected1"),
                                       QStringLiteral("Define mouse selected"));
    N7 = AddMenuItem(Textures1, QStringLiteral("N7"), QStringLiteral("-"));
    DitherPictures1 = AddMenuItem(Textures1, QStringLiteral("DitherPictures1"),
                                  QStringLiteral("Dither Pictures to 256 Colours"));
    DitherPictures1->Action()->setCheckable(true);
    DitherPictures1->OnClick = [this] { DitherPictures1Click(); };
    PageMap1 = AddMenuItem(Textures1, QStringLiteral("PageMap1"), QStringLiteral("Page &Map"), Qt::Key_F8);
    PageMap1->OnClick = [this] { PageMap1Click(); };
    EditPageOutside1 = AddMenuItem(Textures1, QStringLiteral("EditPageOutside1"),
                                   QStringLiteral("&Edit Page Outside"), Qt::CTRL | Qt::Key_E);
    N8 = AddMenuItem(Textures1, QStringLiteral("N8"), QStringLiteral("-"));
    MergeDuplicates1 = AddMenuItem(Textures1, QStringLiteral("MergeDuplicates1"),
                                   QStringLiteral("Merge D&uplicate Textures..."));
    MergeDuplicates1->OnClick = [this] { MergeDuplicates1Click(); };
    RemoveUnused1 =
        AddMenuItem(Textures1, QStringLiteral("RemoveUnused1"), QStringLiteral("&Remove Unused Textures..."));
    RemoveUnused1->OnClick = [this] { RemoveUnused1Click(); };
}

// The action's own toggle and this one agree: the document's setting decides what the item shows.
void TForm1::DitherPictures1Click() {
    doc_.SetDitherPictures(!doc_.DitherPictures());
    DitherPictures1->Action()->setChecked(doc_.DitherPictures());
}

void TForm1::CreateHelpMenus() {
    Textures2 = AddMenuItem(nullptr, QStringLiteral("Textures2"), QStringLiteral("&Animated Textures"));
    AnimatedTextures1 =
        AddMenuItem(Textures2, QStringLiteral("AnimatedTextures1"), QStringLiteral("&Animated Textures"));
    AnimatedTextures1->OnClick = [this] { AnimatedTextures1Click(); };

    About1 = AddMenuItem(nullptr, QStringLiteral("About1"), QStringLiteral("&Help"));
    Help1 = AddMenuItem(About1, QStringLiteral("Help1"), QStringLiteral("Readme Fle"));
    Help1->OnClick = [this] { Help1Click(); };
    Abaout1 = AddMenuItem(About1, QStringLiteral("Abaout1"), QStringLiteral("&About..."));
    Abaout1->OnClick = [this] { Abaout1Click(); };
    N4 = AddMenuItem(About1, QStringLiteral("N4"), QStringLiteral("-"));
    Languaje1 = AddMenuItem(About1, QStringLiteral("Languaje1"), QStringLiteral("Languaje"));
    Languaje1->OnClick = [this] { Languaje1Click(); };
}
