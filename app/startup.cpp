#include "app/startup.h"

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "app/readme_window.h"
#include "document/level_document.h"
#include "localisation/language_window.h"
#include "texture_windows/animated_window.h"
#include "texture_windows/page_map_window.h"
#include "widgets/program_fonts.h"

namespace {

// What is open: created before the windows, which are handed it, and released after them.
LevelDocument* document = nullptr;

} // namespace

void CreateApplicationForms() {
    InstallFontSubstitutes();
    document = new LevelDocument;
    Form1 = new TForm1(*document);
    Form2 = new TForm2;
    fanimated = new Tfanimated(*document);
    PageMap = new TPageMap(*document);
    // The map and the main window show the same page; a texture picked on the map is picked in the list.
    QObject::connect(Form1, &TForm1::LevelPageShown, PageMap, &TPageMap::ShowPage);
    QObject::connect(PageMap, &TPageMap::PageChosen, Form1, &TForm1::ShowLevelPage);
    QObject::connect(PageMap, &TPageMap::TextureChosen, Form1, &TForm1::SelectTexture);
    // The main window's keys (undo, save, a new page...) work while the map has the focus.
    PageMap->addActions(Form1->ShortcutActions());
    Form3 = new TForm3;
    Localisation = new TLocalisation;
    // Applying a language writes the recent-file items' own caption back; they show the paths again.
    QObject::connect(Localisation, &TLocalisation::TextsApplied, Form1, &TForm1::ShowRecentFiles);
    QObject::connect(Localisation, &TLocalisation::TextsApplied, Form1, &TForm1::ShowDataCaptions);
    QObject::connect(Localisation, &TLocalisation::TextsApplied, Form1, &TForm1::ShowListEntries);
    QObject::connect(Localisation, &TLocalisation::TextsApplied, fanimated, &Tfanimated::ShowSets);
    QObject::connect(Localisation, &TLocalisation::TextsApplied, fanimated, &Tfanimated::ArrangeControls);
    QObject::connect(Localisation, &TLocalisation::TextsApplied, Form2, &TForm2::ArrangeTexts);
    QObject::connect(Localisation, &TLocalisation::TextsApplied, PageMap, &TPageMap::ShowTexts);
    Form5 = new TForm5;
    // Loading the settings places the main window and selects the language: every window exists by now.
    Form1->LoadSettings();
    QObject::connect(Localisation, &TLocalisation::TextsApplied, Form1, &TForm1::ShowHistorySteps);
}

namespace {

template <typename Form> void Release(Form*& form) {
    delete form;
    form = nullptr;
}

} // namespace

void DestroyApplicationForms() {
    Release(Form5);
    Release(Localisation);
    Release(Form3);
    Release(PageMap);
    Release(fanimated);
    Release(Form2);
    Release(Form1);
    Release(document);
}
