// What the main window says about a name before it opens or writes a file: a folder is no file, and a
// level saved under a name that is not one of its kind's extensions is saved only when the user says so.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/main_window.h"
#include "level/level_file_names.h"
#include "widgets/platform.h"

// The English texts of TForm1::FileTexts, in their order.
QStringList FileTextDefaults() {
    return {QStringLiteral("%1 is a folder, not a file."),
            QStringLiteral("%1 is not named like a %2 level. Save it under this name anyway?")};
}

// A translation that lost a placeholder gives the English text rather than dropping the value.
QString TForm1::FileText(FileTextIndex index, const QStringList& values) const {
    const int i = static_cast<int>(index);
    QString format = i < FileTexts->Items()->Count() ? FileTexts->Items()->Strings(i) : QString();
    const QString english = FileTextDefaults().value(i);
    for (int n = 1; n <= values.size(); ++n) {
        const QString placeholder = QLatin1Char('%') + QString::number(n);
        if (english.contains(placeholder) && !format.contains(placeholder))
            format = english;
    }
    // One call fills every placeholder, so a value holding "%2" stays as it is.
    return values.size() == 1 ? format.arg(values[0]) : format.arg(values.value(0), values.value(1));
}

bool TForm1::RefuseFolder(const QString& path) {
    if (!QFileInfo(path).isDir())
        return false;
    CurrentPlatform().ShowMessage(this, FileText(FileTextIndex::folder, {QDir::toNativeSeparators(path)}));
    return true;
}

// A bare name takes the first extension of the level's kind; any other name that is not one of its
// kind's extensions is kept only when the user says so. Empty when the user declined.
QString TForm1::LevelSaveName(const QString& chosen) {
    const std::int32_t kind = doc_.Level().kind;
    const std::string name = QFile::encodeName(chosen).toStdString();
    const auto usual = pw::UsualExtensions(kind);
    if (usual.empty() || pw::HasUsualExtension(name, kind))
        return chosen;
    if (pw::LowerExtension(name).empty())
        return chosen + QString::fromStdString(usual.front());
    const QString question = FileText(FileTextIndex::unusual_level_name,
                                      {QFileInfo(chosen).fileName(), QString::fromStdString(usual.front())});
    return CurrentPlatform().Ask(this, question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
               ? chosen
               : QString();
}
