// TLocalisation, the language window. It owns the translation stores, registers the program's windows
// when it is created and applies the language of the default-language file to them. Its hidden lists
// carry the message texts of the window so that they travel in the language files. The language choice
// and the translation editor come later.
#pragma once

#include <array>

#include "localisation/form_list.h"
#include "localisation/languages.h"
#include "widgets/t_form.h"
#include "widgets/t_list_box.h"

class TLocalisation : public TForm {
    Q_OBJECT

public:
    TLocalisation();

    void FormCreate();

    // The language chosen at start-up from the stored setting. For now it only records the identifier
    // as the current language; choosing and applying the language comes with the language window.
    void SelectLanguageById(unsigned id) { CurrentLangId = static_cast<quint16>(id); }

    // Hidden lists of translatable message texts.
    TListBox* Constants;
    TListBox* DialogCaptions;
    TListBox* ButtonCaptions;

    TFormList PrimaryStore;
    TFormList SecondaryStore;
    int CurrentIndex = -1;
    quint16 CurrentLangId = 0;
    bool UseDefaultFile = false;
    std::array<bool, LanguageCount> Available{};

private:
    TListBox* HiddenList(const QString& name, const QStringList& items);
};

extern TLocalisation* Localisation;
