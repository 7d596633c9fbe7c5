#include "localisation/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "localisation/languages.h"

namespace {

QTranslator*& Installed() {
    static QTranslator* installed = nullptr;
    return installed;
}

// The locale's own translation, else one for its language in another country (Qt ships Brazilian
// Portuguese only).
bool LoadFor(QTranslator& translator, const QLocale& locale) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    return translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder) ||
           translator.load(QLocale(locale.language()), QStringLiteral("qtbase"), QStringLiteral("_"), folder);
}

} // namespace

void ApplyQtTranslations(quint16 lang_id) {
    if (QTranslator* previous = Installed()) {
        QCoreApplication::removeTranslator(previous);
        delete previous;
        Installed() = nullptr;
    }
    const QLocale locale = LanguageLocale(lang_id);
    // Numbers the windows show are written as the language writes them ("18,5" in German).
    QLocale::setDefault(locale.language() == QLocale::C ? QLocale::system() : locale);
    if (locale.language() == QLocale::C || !QCoreApplication::instance())
        return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!LoadFor(*translator, locale)) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    Installed() = translator;
}
