#include "app/main_window.h"

#include <QCloseEvent>

#include "app/about_window.h"
#include "app/readme_window.h"
#include "localisation/data_captions.h"
#include "localisation/language_window.h"
#include "textures/animated_window.h"

TForm1* Form1 = nullptr;

TForm1::TForm1() : TForm(QStringLiteral("Form1")) {
    SetCaption(NoLevelCaption());
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    CreateControls();
    CreateMenu();
    // These show the open files, the page and a colour between translations: the texts they show
    // without a level are the ones to translate.
    DeclareDataCaptions(
        this, {this, Label3, Label4, Label6, GroupBox1, GroupBox2, None1, None2, None3, None4, None5});
    SetBounds(114, 2, 651, 560);
    SetKeyPreview(true);
    FormCreate();
}

void TForm1::FormCreate() {
    LevelPage = 0;
    SourcePage = 0;
    MouseSelecting = false;
    LevelPageView = QImage();
    SourceImage = QImage();
    SourcePageView = QImage();
    LevelAtlas = QImage();
    QImage black_page(256, 256, QImage::Format_RGB888);
    black_page.fill(Qt::black);
    Image2->SetPicture(black_page);
    SelectedTile = {0, 0, 64, 64};
    UpdatingTextureControls = false;
    RecentFiles.clear();
    ViewBackup = QImage(256, 256, QImage::Format_RGB16);
    ViewBackup.fill(0);
    MouseSelectionShown = false;
}

// Closing never asks about unsaved changes: the program keeps no modified flag.
void TForm1::FormClose() {
    SaveSettings();
}

void TForm1::closeEvent(QCloseEvent* event) {
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
