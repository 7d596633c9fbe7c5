// TLocalisation, the language window. For now an empty window; the language choice and the
// translation editor come with the localisation work.
#pragma once

#include "widgets/t_form.h"

class TLocalisation : public TForm {
    Q_OBJECT

public:
    TLocalisation();

    void FormCreate() {}

    // The language chosen at start-up from the stored setting. For now it only records the identifier
    // as the current language; choosing and applying the language comes with the language files.
    void SelectLanguageById(unsigned id) { CurrentLangId = id; }

    // The current language identifier (16 bits, 0 for none): what the settings store saves.
    unsigned CurrentLangId = 0;
};

extern TLocalisation* Localisation;
