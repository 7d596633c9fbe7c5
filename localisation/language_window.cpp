#include "localisation/language_window.h"

#include <QFile>

TLocalisation* Localisation = nullptr;

TLocalisation::TLocalisation() : TForm(QStringLiteral("Localisation")) {
    SetCaption(QStringLiteral("Select a language or Press Shift+F2"));
    SetClientSize(416, 418);
    Constants = HiddenList(QStringLiteral("Constants"),
                           {QStringLiteral("Changer toutes les occurrences ?"),
                            QStringLiteral("Voulez-vous sauvegarder les changements ?")});
    DialogCaptions = HiddenList(QStringLiteral("DialogCaptions"),
                                {QStringLiteral("Attention"), QStringLiteral("Erreur"),
                                 QStringLiteral("Information"), QStringLiteral("Confirmation")});
    ButtonCaptions =
        HiddenList(QStringLiteral("ButtonCaptions"),
                   {QStringLiteral("Oui"), QStringLiteral("Non"), QStringLiteral("Ok"),
                    QStringLiteral("Annuler"), QStringLiteral("Abandon"), QStringLiteral("Réessayer"),
                    QStringLiteral("Ignorer"), QStringLiteral("Tous"), QStringLiteral("Non pour tous"),
                    QStringLiteral("Oui pour tous"), QStringLiteral("Aide")});
    FormCreate();
}

TListBox* TLocalisation::HiddenList(const QString& name, const QStringList& items) {
    auto* list = new TListBox(this, Client(), name);
    list->Items()->Assign(items);
    list->setVisible(false);
    return list;
}

// Registers every window that exists now (this one included) and shows the language of the
// default-language file, when there is one.
void TLocalisation::FormCreate() {
    CurrentLangId = 0;
    PrimaryStore.RegisterForms();
    Available = MigrateLanguageFiles();
    const QString default_file = DefaultLanguageFileName();
    if (QFile::exists(default_file) && PrimaryStore.LoadFromFile(default_file))
        CurrentLangId = PrimaryStore.LangId;
    CurrentIndex = LanguageIndexOf(CurrentLangId);
    UseDefaultFile = CurrentLangId != 0;
    if (UseDefaultFile)
        PrimaryStore.ApplyAll();
}
