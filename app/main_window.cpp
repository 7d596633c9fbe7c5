#include "app/main_window.h"

#include <QCloseEvent>
#include <QStatusBar>

#include "app/about_window.h"
#include "app/readme_window.h"
#include "app/window_placement.h"
#include "localisation/data_captions.h"
#include "localisation/language_window.h"
#include "texture_windows/animated_window.h"
#include "texture_windows/page_map_window.h"

TForm1* Form1 = nullptr;

namespace {

// The room for the texture preview in GroupBox3: from Image3's corner to the list on its right and the
// CLONE button below it.
constexpr QSize kTexturePreviewBox{156, 82};

} // namespace

TForm1::TForm1(LevelDocument& document) : TForm(QStringLiteral("Form1")), doc_(document) {
    SetCaption(NoLevelCaption());
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    CreateControls();
    CreateMenu();
    // These show the open files, the page and a colour between translations: the texts they show
    // without a level are the ones to translate.
    DeclareDataCaptions(this, {this, Label3, Label4, Label6, GroupBox1, GroupBox2, None1, None2, None3, None4,
                               None5, Undo1, Redo1});
    statusBar()->setSizeGripEnabled(false);
    SetBounds(114, 2, 651, 560);
    SetKeyPreview(true);
    setAcceptDrops(true);
    Table = std::make_unique<TextureTable>(doc_, TextureTableControls{ListBox1, Image3, ComboBox3, CheckBox1,
                                                                      CheckBox2, Label7, kTexturePreviewBox,
                                                                      Label8});
    Table->LineText = [this](int index) { return Entry(EntryText::texture, index); };
    Table->UseText = [this](int index) { return TextureUseText(doc_.TextureUsage(), index, UsePatterns()); };
    ConnectEditing();
    ConnectDocument();
    ConnectSaving();
    ConnectPageFolders();
    ConnectHistory();
    ConnectViewKeys();
    FormCreate();
}

TForm1::~TForm1() = default;

// The views follow the document: whatever changed the level, they show it again from here.
void TForm1::ConnectDocument() {
    connect(&doc_, &LevelDocument::LevelReplaced, this, [this] { ShowLevelFromDocument(); });
    connect(&doc_, &LevelDocument::SourceReplaced, this, [this] { ShowSource(); });
    connect(&doc_, &LevelDocument::LevelReplaced, this, [this] { EnableCopyCommands(); });
    connect(&doc_, &LevelDocument::PageChanged, this, [this](int page) { ShowChangedPage(page); });
    connect(&doc_, &LevelDocument::TexturesChanged, this, [this] { ShowTextures(); });
    connect(&doc_, &LevelDocument::AnimatedSetsChanged, this, [this] { ListBox1Click(); });
}

void TForm1::ConnectEditing() {
    Image1->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
        Image1MouseDown(b, s, x, y);
    };
    Image1->OnMouseMove = [this](Qt::MouseButtons, Qt::KeyboardModifiers s, int x, int y) {
        Image1MouseMove(s, x, y);
    };
    Image1->OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
        Image1MouseUp(b, s, x, y);
    };
    Image2->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
        Image2MouseDown(b, s, x, y);
    };
    Button1->OnClick = [this] { Button1Click(); };
    Button2->OnClick = [this] { Button2Click(); };
    ListBox1->OnClick = [this] { ListBox1Click(); };
    ComboBox3->OnChange = [this] { ComboBox3Change(); };
    CheckBox1->OnClick = [this] { CheckBox1Click(); };
    CheckBox2->OnClick = [this] { CheckBox2Click(); };
    openimage1->OnClick = [this] { openimage1Click(); };
    Copy1->OnClick = [this] { Copy1Click(); };
    Paste1->OnClick = [this] { Paste1Click(); };
    Define64x64textures1->OnClick = [this] { DefineGridTextures(64); };
    Define64x48textures1->OnClick = [this] { DefineGridTextures(48); };
    Define64x32textures1->OnClick = [this] { DefineGridTextures(32); };
    Define64x16textures1->OnClick = [this] { DefineGridTextures(16); };
    Definemouseselected1->OnClick = [this] { Definemouseselected1Click(); };
    OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
}

void TForm1::FormCreate() {
    LevelPage = 0;
    SourcePage = 0;
    MouseSelecting = false;
    LevelPageView = QImage();
    SourcePageView = QImage();
    QImage black_page(256, 256, QImage::Format_RGB888);
    black_page.fill(Qt::black);
    Image2->SetPicture(black_page);
    doc_.SetSelectedTile({0, 0, 64, 64});
    Table->UpdatingTextureControls = false;
    RecentFiles.clear();
    ViewBackup = QImage(256, 256, QImage::Format_RGB16);
    ViewBackup.fill(0);
    MouseSelectionShown = false;
}

void TForm1::FormClose() {
    SaveSettings();
}

// Unsaved changes are never lost without a question; Cancel, or a save that fails, keeps the window.
void TForm1::closeEvent(QCloseEvent* event) {
    if (!SaveChangesFirst()) {
        event->ignore();
        return;
    }
    FormClose();
    TForm::closeEvent(event);
}

void TForm1::Exit2Click() {
    Close();
}

void TForm1::Help1Click() {
    Form3->Show();
}

void TForm1::Abaout1Click() {
    Form2->ShowModal();
}

void TForm1::Languaje1Click() {
    Localisation->Show();
}

void TForm1::AnimatedTextures1Click() {
    fanimated->Show();
}

void TForm1::PageMap1Click() {
    if (!page_map_placed_) {
        PageMap->move(
            BesideWindow(frameGeometry(), PageMap->frameGeometry().size(), AvailableScreenAreas()).topLeft());
        page_map_placed_ = true;
    }
    PageMap->Show();
    PageMap->raise();
    PageMap->activateWindow();
}

QList<QAction*> TForm1::ShortcutActions() const {
    QList<QAction*> actions;
    for (QObject* component : Components()) {
        const auto* item = qobject_cast<TMenuItem*>(component);
        if (item && !item->Action()->shortcuts().isEmpty())
            actions.append(item->Action());
    }
    return actions;
}

void TForm1::ShowLevelPage(int page) {
    if (!LevelOpen() || page < 0 || page >= ComboBox1->Items()->Count() || page == LevelPage)
        return;
    ComboBox1->SetItemIndex(page);
    ComboBox1Change();
}

void TForm1::SelectTexture(int index) {
    if (!doc_.HasTexture(index))
        return;
    ListBox1->SetItemIndex(index);
    ListBox1Click();
}
