#include "localisation/languages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <QStandardPaths>

#include "localisation/form_list.h"
#include "widgets/data_files.h"
#include "widgets/executable_path.h"

const std::array<TLanguage, LanguageCount>& Languages() {
    static const std::array<TLanguage, LanguageCount> languages{{
        {QStringLiteral("Français"), QStringLiteral("fr"), 0x040C},
        {QStringLiteral("English (UK)"), QStringLiteral("uk"), 0x0809},
        {QStringLiteral("English (US)"), QStringLiteral("us"), 0x0409},
        {QStringLiteral("Deutsch"), QStringLiteral("de"), 0x0407},
        {QStringLiteral("Italiano"), QStringLiteral("it"), 0x0410},
        {QStringLiteral("Español"), QStringLiteral("es"), 0x080A},
        {QStringLiteral("Svenska"), QStringLiteral("se"), 0x041D},
        {QStringLiteral("Português"), QStringLiteral("po"), 0x0816},
        {QStringLiteral("Korean"), QStringLiteral("kr"), 0x0412},
    }};
    return languages;
}

int LanguageIndexOf(quint16 lang_id) {
    for (int i = 0; i < LanguageCount; ++i) {
        if (Languages()[static_cast<std::size_t>(i)].LangId == lang_id)
            return i;
    }
    return -1;
}

QLocale LanguageLocale(quint16 lang_id) {
    // Windows language identifiers of the nine languages and the locales they name.
    static const std::array<std::pair<quint16, QLocale>, LanguageCount> locales{{
        {0x040C, QLocale(QLocale::French, QLocale::France)},
        {0x0809, QLocale(QLocale::English, QLocale::UnitedKingdom)},
        {0x0409, QLocale(QLocale::English, QLocale::UnitedStates)},
        {0x0407, QLocale(QLocale::German, QLocale::Germany)},
        {0x0410, QLocale(QLocale::Italian, QLocale::Italy)},
        {0x080A, QLocale(QLocale::Spanish, QLocale::Mexico)},
        {0x041D, QLocale(QLocale::Swedish, QLocale::Sweden)},
        {0x0816, QLocale(QLocale::Portuguese, QLocale::Portugal)},
        {0x0412, QLocale(QLocale::Korean, QLocale::SouthKorea)},
    }};
    for (const auto& [id, locale] : locales) {
        if (id == lang_id)
            return locale;
    }
    return QLocale::c();
}

QString SystemLanguageName(quint16 lang_id) {
    const QLocale locale = LanguageLocale(lang_id);
    return locale.language() == QLocale::C ? QString() : locale.nativeLanguageName();
}

QString ProgramDir() {
    QString folder = ExecutableFolder();
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QDir::separator()))
        folder += QLatin1Char('/');
    return folder;
}

QString ProgramBase() {
    return ExecutableBaseName();
}

namespace {

QString LanguageFileBaseName(const QString& code) {
    return ProgramBase() + QLatin1Char('_') + code + QLatin1String(".lng");
}

} // namespace

QString LanguageFileName(const QString& code) {
    const QString found = FindDataFile(LanguageFileBaseName(code));
    return found.isEmpty() ? LanguageSaveFileName(code) : found;
}

QString LanguageSaveFileName(const QString& code) {
    return WritableDataFile(LanguageFileBaseName(code));
}

QString DefaultLanguageFileName() {
    return LanguageFileName(QStringLiteral("def"));
}

QString BackupFileName(const QString& language_file) {
    const QFileInfo info(language_file);
    const QString base =
        language_file.left(language_file.size() - info.suffix().size() - (info.suffix().isEmpty() ? 0 : 1));
    return base + QLatin1String(".~ln");
}

QString HelpFileName(const QString& code) {
    return ProgramDir() + ProgramBase() + QLatin1Char('_') + code + QLatin1String(".hlp");
}

QString OlderLayoutFileName(const QString& code) {
    return ProgramDir() + ProgramBase() + QLatin1Char('.') + code;
}

std::array<bool, LanguageCount> MigrateLanguageFiles() {
    QStringList codes{QStringLiteral("def")};
    for (const TLanguage& language : Languages())
        codes.append(language.Code);
    for (const QString& code : codes) {
        const QString older = OlderLayoutFileName(code);
        if (!QFile::exists(older))
            continue;
        if (QFile::exists(LanguageFileName(code)))
            QFile::remove(older);
        else
            QFile::rename(older, LanguageFileName(code));
    }
    std::array<bool, LanguageCount> available{};
    for (int i = 0; i < LanguageCount; ++i)
        available[static_cast<std::size_t>(i)] =
            QFile::exists(LanguageFileName(Languages()[static_cast<std::size_t>(i)].Code));
    return available;
}

namespace {

// Qt's trash needs the data folder to exist; without a trash the old backup is deleted.
void MoveToRecycleBin(const QString& path) {
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (!QFile::moveToTrash(path))
        QFile::remove(path);
}

} // namespace

bool SaveLanguageFile(TFormList& store, int index, bool copy_to_default) {
    if (index < 0 || index >= LanguageCount)
        return false;
    const QString path = LanguageSaveFileName(Languages()[static_cast<std::size_t>(index)].Code);
    const QString backup = BackupFileName(path);
    if (QFile::exists(backup))
        MoveToRecycleBin(backup);
    const bool had_file = QFile::rename(path, backup);
    if (!store.SaveToFile(path)) {
        if (had_file && !QFile::exists(path))
            QFile::rename(backup, path);
        return false;
    }
    if (copy_to_default)
        CopyToDefaultLanguageFile(path);
    return true;
}

bool CopyToDefaultLanguageFile(const QString& language_file) {
    const QString target = LanguageSaveFileName(QStringLiteral("def"));
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(language_file, partial))
        return false;
    QFile::remove(target);
    return QFile::rename(partial, target);
}
