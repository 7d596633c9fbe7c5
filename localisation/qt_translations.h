// Qt's own texts (the buttons of questions, the file dialogs) in the interface language.
#pragma once

#include <QtGlobal>

// Replaces the Qt translation in use by the one for the language with this identifier. A language
// Qt has no translation for (or identifier 0) leaves Qt's texts in English.
void ApplyQtTranslations(quint16 lang_id);
