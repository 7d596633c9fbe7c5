// The nine interface languages and the files of each: the language file, its backup, its help file, the
// default-language file and the names of the older layout.
#pragma once

#include <array>

#include <QLocale>
#include <QString>

struct TLanguage {
    QString ComboText;
    QString Code;
    quint16 LangId;
};

constexpr int LanguageCount = 9;
const std::array<TLanguage, LanguageCount>& Languages();
// The index of the language with this identifier, or -1.
int LanguageIndexOf(quint16 lang_id);

// The system's name of the language with this Windows language identifier, in that language; empty
// for an identifier the program doesn't know.
QString SystemLanguageName(quint16 lang_id);
// The locale a Windows language identifier names; the C locale for one the program doesn't know.
QLocale LanguageLocale(quint16 lang_id);

// The executable's folder with a trailing separator, and its file name without extension.
QString ProgramDir();
QString ProgramBase();

// The language file to read (pagewright_fr.lng; code "def" for the default file): the one found in the
// data folders, or where it would be saved when there is none.
QString LanguageFileName(const QString& code);
// Where saving the language file writes it: beside a program that is not installed when that folder can
// be written (and the user has no file of that name), else the user's data folder.
QString LanguageSaveFileName(const QString& code);
QString DefaultLanguageFileName();
QString BackupFileName(const QString& language_file); // Pagewright_fr.~ln
QString HelpFileName(const QString& code);            // Pagewright_fr.hlp
QString OlderLayoutFileName(const QString& code);     // Pagewright.fr

class TFormList;

// Saves `store` as the file of language `index`: an older backup goes to the recycle bin, the current
// file becomes the backup, and with `copy_to_default` the new file is copied over the default-language
// file. When the store cannot be written the current file is put back. Whether the file was written.
bool SaveLanguageFile(TFormList& store, int index, bool copy_to_default);

// Copies a language file over the default-language file; the previous default file stays until the
// copy is complete. Whether the copy was made.
bool CopyToDefaultLanguageFile(const QString& language_file);

// Renames files of the older layout to the current names (deleting them when a current file exists)
// and returns which languages have a file.
std::array<bool, LanguageCount> MigrateLanguageFiles();
