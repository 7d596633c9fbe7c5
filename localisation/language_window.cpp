#include "localisation/language_window.h"

TLocalisation* Localisation = nullptr;

TLocalisation::TLocalisation() : TForm(QStringLiteral("Localisation")) {
    SetCaption(QStringLiteral("Select a language or Press Shift+F2"));
    SetClientSize(416, 418);
    FormCreate();
}
